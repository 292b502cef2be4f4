#pragma once
// The records of a data-packet table, stored by column. Text values are views, either into
// the parsed packet, which the store keeps alive, or into strings the store owns; loading
// a large packet therefore copies no text.
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "datapacket/DataPacketFields.h"

namespace pugi {
class xml_document;
}

namespace orvelin {

class DataPacketRecords {
public:
    explicit DataPacketRecords(const std::vector<FieldDef>& fields);
    ~DataPacketRecords();
    DataPacketRecords(DataPacketRecords&&) noexcept;
    DataPacketRecords& operator=(DataPacketRecords&&) noexcept;

    int Count() const { return count_; }
    bool IsNull(int field, int record) const { return columns_[field].nulls[record] != 0; }
    int Integer(int field, int record) const { return columns_[field].integers[record]; }
    std::wstring_view Text(int field, int record) const { return columns_[field].texts[record]; }

    void Reserve(int count);
    // Adds a record with every field null and answers its position.
    int AddRecord();
    // The view must stay valid as long as the store: text of the kept document or of OwnText.
    // Text longer than the field's size is cut to the size.
    void SetText(int field, int record, std::wstring_view value);
    void SetInteger(int field, int record, int value);
    // Removes the last record (a row that turned out to be no record of its own).
    void DropLastRecord();

    std::wstring_view OwnText(std::wstring text);
    void KeepDocument(std::unique_ptr<pugi::xml_document> document);
    void Clear();

private:
    struct Column {
        bool text = false;
        size_t size = 0;   // characters; 0 = no limit
        std::vector<int> integers;
        std::vector<std::wstring_view> texts;
        std::vector<unsigned char> nulls;
    };

    std::vector<Column> columns_;
    int count_ = 0;
    std::unique_ptr<pugi::xml_document> document_;
    std::deque<std::wstring> ownedText_;
};

}  // namespace orvelin
