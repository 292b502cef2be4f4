#pragma once
// Declared fields of a data-packet table: their types as the packet names them, the type
// names the error messages use, and which packet types a declared field accepts on load.
#include <string>
#include <string_view>
#include <vector>

namespace orvelin {

enum class FieldType { Integer32, Integer16, WideText };   // "i4", "i2", "string.uni"

struct FieldDef {
    std::wstring name;
    FieldType type;
    int size = 0;            // characters, text only; 0 = no limit
    bool required = false;
};

inline bool IsIntegerType(FieldType type) { return type != FieldType::WideText; }

// "i4", "i2", "string.uni": the "fieldtype" a writer puts in the packet.
std::wstring_view PacketTypeName(FieldType type);
// "Integer", "SmallInt", "WideString": the table's side of a type-mismatch message.
std::wstring_view FieldTypeName(FieldType type);
// The file's side of a type-mismatch message: "i1" is "ShortInt", "string" is "String", and
// so on; a packet type without a known name is shown as it stands.
std::wstring PacketTypeDisplayName(std::wstring_view packetType);
// Integer fields take any of "i1", "i2", "i4", "ui1", "ui2"; text fields only "string.uni".
bool AcceptsPacketType(FieldType type, std::wstring_view packetType);

// Field names compare without regard to letter case; an exact match wins. -1 when absent.
int FindField(const std::vector<FieldDef>& fields, std::wstring_view name);
// The same, throwing "Field '%s' not found".
int FieldIndexOrThrow(const std::vector<FieldDef>& fields, std::wstring_view name);

}  // namespace orvelin
