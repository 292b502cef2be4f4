#pragma once
// The sample table of the data-packet tests and helpers to write packets as bytes, load them
// and read back what a table shows.
#include <string>
#include <string_view>
#include <vector>

#include "datapacket/DataPacketTable.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace orvelin::testing_support {

// ID i4 required, NAME text of 20, LEVEL i2, NOTE text of 100.
inline std::vector<FieldDef> SampleFields() {
    return {{L"ID", FieldType::Integer32, 0, true},
            {L"NAME", FieldType::WideText, 20, true},
            {L"LEVEL", FieldType::Integer16, 0, false},
            {L"NOTE", FieldType::WideText, 100, false}};
}

inline constexpr char kSampleFieldsXml[] =
    R"(<FIELD attrname="ID" fieldtype="i4" required="true"/>)"
    R"(<FIELD attrname="NAME" fieldtype="string.uni" required="true" WIDTH="40"/>)"
    R"(<FIELD attrname="LEVEL" fieldtype="i2"/>)"
    R"(<FIELD attrname="NOTE" fieldtype="string.uni" WIDTH="200"/>)";

inline constexpr char kPlainDeclaration[] = R"(<?xml version="1.0" standalone="yes"?>)";

// A whole packet around the given FIELD and ROW elements.
inline std::string PacketText(std::string_view fields, std::string_view rows,
                              std::string_view declaration = kPlainDeclaration) {
    return std::string(declaration) + R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)" + std::string(fields) +
           "</FIELDS><PARAMS/></METADATA><ROWDATA>" + std::string(rows) + "</ROWDATA></DATAPACKET>";
}

using test::TempFolder;
using test::PutFile;

inline std::wstring WriteFile(const TempFolder& folder, const std::string& bytes,
                              const std::wstring& name = L"packet.xml") {
    const std::wstring path = folder / name;
    PutFile(path, bytes);
    return path;
}

// UTF-16 bytes of the text, little or big endian, with a byte-order mark.
inline std::string Utf16WithMark(std::wstring_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The text of the Error the action throws; another exception fails the test on its own.
template <typename Action>
std::wstring ErrorTextOf(Action&& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.Text();
    }
    return L"(no error)";
}

inline std::vector<int> ShownIntegers(DataPacketTable& table, std::wstring_view field = L"ID") {
    std::vector<int> values;
    for (table.First(); !table.Eof(); table.Next()) values.push_back(table.AsInteger(field));
    return values;
}

}  // namespace orvelin::testing_support
