#include "datapacket/DataPacketRecords.h"

#include <pugixml.hpp>

namespace orvelin {

DataPacketRecords::DataPacketRecords(const std::vector<FieldDef>& fields) {
    columns_.resize(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        columns_[i].text = fields[i].type == FieldType::WideText;
        columns_[i].size = fields[i].size > 0 ? static_cast<size_t>(fields[i].size) : 0;
    }
}

DataPacketRecords::~DataPacketRecords() = default;
DataPacketRecords::DataPacketRecords(DataPacketRecords&&) noexcept = default;
DataPacketRecords& DataPacketRecords::operator=(DataPacketRecords&&) noexcept = default;

void DataPacketRecords::Reserve(int count) {
    for (auto& column : columns_) {
        if (column.text)
            column.texts.reserve(count);
        else
            column.integers.reserve(count);
        column.nulls.reserve(count);
    }
}

int DataPacketRecords::AddRecord() {
    for (auto& column : columns_) {
        if (column.text)
            column.texts.emplace_back();
        else
            column.integers.push_back(0);
        column.nulls.push_back(1);
    }
    return count_++;
}

void DataPacketRecords::DropLastRecord() {
    for (auto& column : columns_) {
        if (column.text)
            column.texts.pop_back();
        else
            column.integers.pop_back();
        column.nulls.pop_back();
    }
    --count_;
}

void DataPacketRecords::SetText(int field, int record, std::wstring_view value) {
    Column& column = columns_[field];
    if (column.size != 0 && value.size() > column.size) {
        value = value.substr(0, column.size);
        // Never keep half of a surrogate pair.
        if (value.back() >= 0xD800 && value.back() <= 0xDBFF) value.remove_suffix(1);
    }
    column.texts[record] = value;
    column.nulls[record] = 0;
}

void DataPacketRecords::SetInteger(int field, int record, int value) {
    columns_[field].integers[record] = value;
    columns_[field].nulls[record] = 0;
}

std::wstring_view DataPacketRecords::OwnText(std::wstring text) { return ownedText_.emplace_back(std::move(text)); }

void DataPacketRecords::KeepDocument(std::unique_ptr<pugi::xml_document> document) { document_ = std::move(document); }

void DataPacketRecords::Clear() {
    for (auto& column : columns_) {
        column.integers.clear();
        column.texts.clear();
        column.nulls.clear();
    }
    count_ = 0;
    document_.reset();
    ownedText_.clear();
}

}  // namespace orvelin
