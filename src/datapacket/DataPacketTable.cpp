#include "datapacket/DataPacketTable.h"

#include <algorithm>
#include <numeric>

#include "datapacket/DataPacketReader.h"
#include "datapacket/DataPacketWriter.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

// Letter case aside; equal texts have equal lengths, so most values fail at once.
bool SameText(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && (a.empty() || EqualsIgnoreCase(a, b));
}

}  // namespace

DataPacketTable::DataPacketTable(std::vector<FieldDef> fields) : fields_(std::move(fields)), records_(fields_) {}

DataPacketTable::~DataPacketTable() { Detach(); }

void DataPacketTable::Detach() {
    if (master_) std::erase(master_->details_, this);
    master_ = nullptr;
    for (DataPacketTable* detail : details_) {
        detail->master_ = nullptr;
        detail->ViewChanged();
    }
    details_.clear();
}

// ---- content ----

void DataPacketTable::Load(const std::wstring& fileName) {
    LoadedPacket packet = ReadDataPacket(fileName, fields_);
    records_ = std::move(packet.records);
    pendingChanges_ = packet.pendingChanges;
    ContentChanged();
}

void DataPacketTable::Save(const std::wstring& fileName) {
    MergeChangesLog();
    WriteDataPacket(fileName, fields_, records_);
}

void DataPacketTable::Append(std::vector<FieldValue> values) {
    if (values.size() != fields_.size())
        throw Error(Substitute(L"A record needs %d values, not %d",
                               {std::to_wstring(fields_.size()), std::to_wstring(values.size())}));
    for (size_t i = 0; i < values.size(); ++i) {
        const bool text = fields_[i].type == FieldType::WideText;
        if ((text && std::holds_alternative<int>(values[i])) || (!text && std::holds_alternative<std::wstring>(values[i])))
            throw Error(Substitute(L"Type mismatch for field '%s', expecting: %s actual: %s",
                                   {fields_[i].name, FieldTypeName(fields_[i].type),
                                    text ? L"Integer" : L"WideString"}));
    }
    const int record = records_.AddRecord();
    for (size_t i = 0; i < values.size(); ++i) {
        const int field = static_cast<int>(i);
        if (const int* number = std::get_if<int>(&values[i]))
            records_.SetInteger(field, record, *number);
        else if (std::wstring* text = std::get_if<std::wstring>(&values[i]))
            records_.SetText(field, record, records_.OwnText(std::move(*text)));
    }
    ContentChanged();
}

void DataPacketTable::Clear() {
    records_.Clear();
    pendingChanges_ = false;
    ContentChanged();
}

// ---- navigation ----

void DataPacketTable::First() {
    CurrentView();
    view_.cursor = 0;
    view_.eof = view_.shown.empty();
    CursorMoved();
}

void DataPacketTable::Next() {
    CurrentView();
    if (view_.cursor + 1 < static_cast<int>(view_.shown.size())) {
        ++view_.cursor;
        CursorMoved();
    } else {
        view_.eof = true;
    }
}

bool DataPacketTable::Eof() const { return CurrentView().eof; }

int DataPacketTable::RecordCount() const { return static_cast<int>(CurrentView().shown.size()); }

bool DataPacketTable::Locate(std::wstring_view field, std::wstring_view text) {
    const int column = FieldIndex(field);
    const bool isText = fields_[column].type == FieldType::WideText;
    const View& view = CurrentView();
    for (size_t i = 0; i < view.shown.size(); ++i) {
        const int record = view.shown[i];
        const bool match = isText ? SameText(records_.Text(column, record), text) : SameText(TextOf(column, record), text);
        if (match) {
            view_.cursor = static_cast<int>(i);
            view_.eof = false;
            CursorMoved();
            return true;
        }
    }
    return false;
}

// ---- reads ----

int DataPacketTable::FieldIndex(std::wstring_view name) const { return FieldIndexOrThrow(fields_, name); }

int DataPacketTable::CheckedField(int fieldIndex) const {
    if (fieldIndex < 0 || fieldIndex >= static_cast<int>(fields_.size()))
        throw Error(Substitute(L"Field index %d out of range", {std::to_wstring(fieldIndex)}));
    return fieldIndex;
}

int DataPacketTable::CurrentRecord() const {
    const View& view = CurrentView();
    return view.shown.empty() ? -1 : view.shown[view.cursor];
}

std::wstring DataPacketTable::TextOf(int field, int record) const {
    if (record < 0 || records_.IsNull(field, record)) return {};
    if (fields_[field].type == FieldType::WideText) return std::wstring(records_.Text(field, record));
    return std::to_wstring(records_.Integer(field, record));
}

int DataPacketTable::AsInteger(int fieldIndex) const {
    const int field = CheckedField(fieldIndex);
    const int record = CurrentRecord();
    if (record < 0 || records_.IsNull(field, record)) return 0;
    if (fields_[field].type != FieldType::WideText) return records_.Integer(field, record);
    const std::optional<int> value = ParseInteger(records_.Text(field, record));
    if (!value) throw Error(Substitute(L"'%s' is not a valid integer value", {records_.Text(field, record)}));
    return *value;
}

std::wstring_view DataPacketTable::AsTextView(int fieldIndex) const {
    const int field = CheckedField(fieldIndex);
    if (fields_[field].type != FieldType::WideText)
        throw Error(Substitute(L"Field '%s' is not a text field", {fields_[field].name}));
    const int record = CurrentRecord();
    return record < 0 ? std::wstring_view() : records_.Text(field, record);
}

bool DataPacketTable::IsNull(int fieldIndex) const {
    const int field = CheckedField(fieldIndex);
    const int record = CurrentRecord();
    return record < 0 || records_.IsNull(field, record);
}

int DataPacketTable::AsInteger(std::wstring_view field) const { return AsInteger(FieldIndex(field)); }

std::wstring DataPacketTable::AsText(std::wstring_view field) const {
    return TextOf(FieldIndex(field), CurrentRecord());
}

bool DataPacketTable::IsNull(std::wstring_view field) const { return IsNull(FieldIndex(field)); }

// ---- settings ----

void DataPacketTable::SetOrdering(std::wstring_view field) {
    orderField_ = field.empty() ? -1 : FieldIndex(field);
    ContentChanged();
}

void DataPacketTable::SetMasterLink(DataPacketTable& master, std::wstring_view masterField,
                                    std::wstring_view linkField) {
    const int masterColumn = master.FieldIndex(masterField);
    const int linkColumn = FieldIndex(linkField);
    if (!IsIntegerType(master.fields_[masterColumn].type) || !IsIntegerType(fields_[linkColumn].type))
        throw Error(Substitute(L"The master link needs integer fields, not '%s' and '%s'", {masterField, linkField}));
    for (const DataPacketTable* table = &master; table; table = table->master_)
        if (table == this) throw Error(L"A table cannot be a master of itself");

    if (master_) std::erase(master_->details_, this);
    master_ = &master;
    master.details_.push_back(this);
    masterField_ = masterColumn;
    linkField_ = linkColumn;
    indexes_.linkBuilt = false;
    ViewChanged();
}

void DataPacketTable::ClearSelection() {
    selectionText_.clear();
    selection_.reset();
    selectionEnabled_ = false;
    ViewChanged();
}

void DataPacketTable::SetSelection(std::wstring text) {
    selection_ = ParseSelection(text, fields_);
    selectionText_ = std::move(text);
    ViewChanged();
}

void DataPacketTable::EnableSelection(bool on) {
    selectionEnabled_ = on;
    ViewChanged();
}

// ---- the shown records ----

void DataPacketTable::ContentChanged() {
    indexes_ = Indexes{};
    ViewChanged();
}

void DataPacketTable::ViewChanged() {
    view_.valid = false;
    for (DataPacketTable* detail : details_) detail->ViewChanged();
}

void DataPacketTable::CursorMoved() {
    for (DataPacketTable* detail : details_) detail->ViewChanged();
}

const DataPacketTable::View& DataPacketTable::CurrentView() const {
    if (!view_.valid) BuildView();
    return view_;
}

void DataPacketTable::BuildView() const {
    const bool selecting = selectionEnabled_ && selection_.has_value();
    std::span<const int> shown;
    view_.filtered.clear();
    if (master_) {
        // Asking the master may rebuild its own view first; ours is settled only below.
        const std::optional<int> key = master_->CurrentKey(masterField_);
        if (key) shown = LinkedRecords(*key);
        if (selecting) {
            std::copy_if(shown.begin(), shown.end(), std::back_inserter(view_.filtered),
                         [this](int record) { return PassesSelection(record); });
            shown = view_.filtered;
        }
    } else {
        shown = selecting ? SelectedRecords(*selection_) : Order();
    }
    view_.shown = shown;
    view_.cursor = 0;
    view_.eof = shown.empty();
    view_.valid = true;
}

std::optional<int> DataPacketTable::CurrentKey(int field) const {
    const int record = CurrentRecord();
    if (record < 0 || records_.IsNull(field, record)) return std::nullopt;
    return records_.Integer(field, record);
}

std::span<const int> DataPacketTable::Order() const {
    if (!indexes_.ordered) {
        indexes_.order.resize(records_.Count());
        std::iota(indexes_.order.begin(), indexes_.order.end(), 0);
        if (orderField_ >= 0) {
            const int field = orderField_;
            const bool text = fields_[field].type == FieldType::WideText;
            std::stable_sort(indexes_.order.begin(), indexes_.order.end(), [&](int a, int b) {
                const bool nullA = records_.IsNull(field, a), nullB = records_.IsNull(field, b);
                if (nullA || nullB) return nullA && !nullB;
                return text ? records_.Text(field, a) < records_.Text(field, b)
                            : records_.Integer(field, a) < records_.Integer(field, b);
            });
        }
        indexes_.ordered = true;
    }
    return indexes_.order;
}

std::span<const int> DataPacketTable::LinkedRecords(int key) const {
    if (!indexes_.linkBuilt) {
        indexes_.link.Build(Order(), [this](int record, int64_t& value) {
            if (records_.IsNull(linkField_, record)) return false;
            value = records_.Integer(linkField_, record);
            return true;
        });
        indexes_.linkBuilt = true;
    }
    return indexes_.link.Find(key);
}

std::span<const int> DataPacketTable::SelectedRecords(const SelectionCondition& condition) const {
    const std::pair<int, int> fields{condition.firstField, condition.secondField};
    if (indexes_.selectionFields != fields) {
        indexes_.selection.Build(Order(), [this, &fields](int record, int64_t& value) {
            if (records_.IsNull(fields.first, record) || records_.IsNull(fields.second, record)) return false;
            value = PairKey(records_.Integer(fields.first, record), records_.Integer(fields.second, record));
            return true;
        });
        indexes_.selectionFields = fields;
    }
    return indexes_.selection.Find(PairKey(condition.firstValue, condition.secondValue));
}

bool DataPacketTable::PassesSelection(int record) const {
    const SelectionCondition& condition = *selection_;
    return !records_.IsNull(condition.firstField, record) && !records_.IsNull(condition.secondField, record) &&
           records_.Integer(condition.firstField, record) == condition.firstValue &&
           records_.Integer(condition.secondField, record) == condition.secondValue;
}

}  // namespace orvelin
