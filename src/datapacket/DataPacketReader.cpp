#include "datapacket/DataPacketReader.h"

#include <cwchar>
#include <memory>
#include <string_view>

#include <pugixml.hpp>

#include "datapacket/DataPacketEncoding.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

constexpr int kIgnored = -1;
constexpr int kRowState = -2;

// "RowState" flags of a row saved with pending changes.
constexpr int kRowOriginal = 1;   // the record as it was before the modification that follows
constexpr int kRowDeleted = 2;
constexpr int kRowModified = 8;   // carries the changed fields of the original just before

// An attribute name rows may carry and what it stands for: a declared field, "RowState", or
// something this table ignores.
struct Slot {
    const wchar_t* name;
    int target;
};

// Inline, for the hundreds of thousands of attribute names and values of a large packet: a call
// into the C runtime for each costs more than the comparison.
bool SameName(const wchar_t* a, const wchar_t* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

std::wstring_view ViewOf(const wchar_t* text) {
    const wchar_t* end = text;
    while (*end) ++end;
    return {text, static_cast<size_t>(end - text)};
}

std::wstring Shortened(std::wstring_view text) {
    constexpr size_t kShown = 40;
    if (text.size() <= kShown) return std::wstring(text);
    return std::wstring(text.substr(0, kShown)) + L"...";
}

class PacketReader {
public:
    PacketReader(const std::wstring& fileName, const std::vector<FieldDef>& fields)
        : fileName_(fileName), fields_(fields) {}

    LoadedPacket Read() {
        auto document = Parse();
        const pugi::xml_node root = document->document_element();
        if (std::wcscmp(root.name(), L"DATAPACKET") != 0)
            throw Error(Substitute(L"Data packet \"%s\" has the root element \"%s\" instead of \"DATAPACKET\"",
                                   {fileName_, root.name()}));
        const pugi::xml_node metadata = Required(root, L"METADATA");
        BindFields(Required(metadata, L"FIELDS"));
        LoadedPacket packet{DataPacketRecords(fields_)};
        ReadRows(Required(root, L"ROWDATA"), packet);
        packet.records.KeepDocument(std::move(document));
        return packet;
    }

private:
    std::unique_ptr<pugi::xml_document> Parse() {
        PugiBuffer bytes = ReadPacketBytes(fileName_);
        if (bytes.Size() == 0) throw Error(Substitute(L"Data packet \"%s\" is empty", {fileName_}));
        const pugi::xml_encoding encoding = PreparePacketEncoding(bytes, fileName_);
        auto document = std::make_unique<pugi::xml_document>();
        const size_t size = bytes.Size();
        const pugi::xml_parse_result result = document->load_buffer_inplace_own(
            bytes.Release(), size, pugi::parse_default | pugi::parse_declaration, encoding);
        if (result.status == pugi::status_out_of_memory) throw Error(L"Out of memory");
        if (!result)
            throw Error(Substitute(L"Data packet \"%s\" is not well-formed XML: %s at character %d",
                                   {fileName_, FromUtf8(result.description()), std::to_wstring(result.offset)}));
        return document;
    }

    pugi::xml_node Required(pugi::xml_node parent, const wchar_t* name) const {
        const pugi::xml_node child = parent.child(name);
        if (!child)
            throw Error(Substitute(L"Data packet \"%s\" has no element \"%s\" in \"%s\"",
                                   {fileName_, name, parent.name()}));
        return child;
    }

    // Every declared field must be in the file with an accepted type; the file's other fields
    // become ignored slots.
    void BindFields(pugi::xml_node fieldList) {
        std::vector<FieldDef> fileFields;
        std::vector<const wchar_t*> fileTypes;
        for (const pugi::xml_node field : fieldList.children(L"FIELD")) {
            const wchar_t* name = field.attribute(L"attrname").value();
            fileFields.push_back({name, FieldType::WideText});
            fileTypes.push_back(field.attribute(L"fieldtype").value());
            slots_.push_back({name, kIgnored});
        }

        for (size_t declared = 0; declared < fields_.size(); ++declared) {
            const FieldDef& def = fields_[declared];
            const int match = FindField(fileFields, def.name);
            if (match < 0) throw Error(Substitute(L"Field '%s' not found", {def.name}));
            if (!AcceptsPacketType(def.type, fileTypes[match]))
                throw Error(Substitute(L"Type mismatch for field '%s', expecting: %s actual: %s",
                                       {def.name, FieldTypeName(def.type), PacketTypeDisplayName(fileTypes[match])}));
            slots_[match].target = static_cast<int>(declared);
        }
        slots_.push_back({L"RowState", kRowState});
    }

    void ReadRows(pugi::xml_node rowData, LoadedPacket& packet) {
        DataPacketRecords& records = packet.records;
        int rows = 0;
        for (pugi::xml_node row = rowData.first_child(); row; row = row.next_sibling()) ++rows;
        records.Reserve(rows);

        int original = -1;   // record read from a row marked "original", open for its modification
        for (pugi::xml_node row = rowData.first_child(); row; row = row.next_sibling()) {
            if (row.type() != pugi::node_element || !SameName(row.name(), L"ROW")) continue;
            const int record = records.AddRecord();
            int rowState = 0;
            int position = 0;
            for (pugi::xml_attribute attribute = row.first_attribute(); attribute;
                 attribute = attribute.next_attribute(), ++position) {
                const int target = slots_[SlotOf(attribute.name(), position)].target;
                if (target >= 0)
                    SetValue(records, target, record, attribute.value());
                else if (target == kRowState)
                    rowState = ParsedInteger(L"RowState", attribute.value());
            }
            if (rowState != 0) packet.pendingChanges = true;

            if (rowState & kRowDeleted) {
                records.DropLastRecord();
                original = -1;
            } else if ((rowState & kRowModified) && original == record - 1) {
                for (int field = 0; field < static_cast<int>(fields_.size()); ++field)
                    if (!records.IsNull(field, record)) CopyValue(records, field, record, original);
                records.DropLastRecord();
                original = -1;
            } else {
                original = (rowState & kRowOriginal) ? record : -1;
            }
        }
    }

    // Rows written by one tool repeat their attribute order, so the slot found at the same
    // position in the previous row is nearly always the one.
    int SlotOf(const wchar_t* name, int position) {
        if (position < static_cast<int>(predicted_.size())) {
            const int guess = predicted_[position];
            if (SameName(slots_[guess].name, name)) return guess;
        } else {
            predicted_.resize(position + 1, 0);
        }
        int slot = 0;
        while (slot < static_cast<int>(slots_.size()) && !SameName(slots_[slot].name, name)) ++slot;
        if (slot == static_cast<int>(slots_.size())) slots_.push_back({name, kIgnored});
        predicted_[position] = slot;
        return slot;
    }

    void SetValue(DataPacketRecords& records, int field, int record, const wchar_t* value) const {
        if (fields_[field].type == FieldType::WideText)
            records.SetText(field, record, ViewOf(value));
        else
            records.SetInteger(field, record, ParsedInteger(fields_[field].name, ViewOf(value)));
    }

    int ParsedInteger(std::wstring_view field, std::wstring_view value) const {
        // Nearly every value is a few plain digits.
        if (!value.empty() && value.size() <= 9) {
            int plain = 0;
            size_t digits = 0;
            for (; digits < value.size() && value[digits] >= L'0' && value[digits] <= L'9'; ++digits)
                plain = plain * 10 + (value[digits] - L'0');
            if (digits == value.size()) return plain;
        }
        const std::optional<int> number = ParseInteger(value);
        if (!number)
            throw Error(Substitute(L"'%s' is not a valid integer value for field '%s' in data packet \"%s\"",
                                   {Shortened(value), field, fileName_}));
        return *number;
    }

    void CopyValue(DataPacketRecords& records, int field, int from, int to) const {
        if (fields_[field].type == FieldType::WideText)
            records.SetText(field, to, records.Text(field, from));
        else
            records.SetInteger(field, to, records.Integer(field, from));
    }

    const std::wstring& fileName_;
    const std::vector<FieldDef>& fields_;
    std::vector<Slot> slots_;
    std::vector<int> predicted_;
};

}  // namespace

LoadedPacket ReadDataPacket(const std::wstring& fileName, const std::vector<FieldDef>& fields) {
    return PacketReader(fileName, fields).Read();
}

}  // namespace orvelin
