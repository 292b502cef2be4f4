#include "datapacket/DataPacketFields.h"

#include "platform/Error.h"
#include "platform/Text.h"

namespace orvelin {

std::wstring_view PacketTypeName(FieldType type) {
    switch (type) {
        case FieldType::Integer32: return L"i4";
        case FieldType::Integer16: return L"i2";
        case FieldType::WideText: return L"string.uni";
    }
    return L"";
}

std::wstring_view FieldTypeName(FieldType type) {
    switch (type) {
        case FieldType::Integer32: return L"Integer";
        case FieldType::Integer16: return L"SmallInt";
        case FieldType::WideText: return L"WideString";
    }
    return L"";
}

std::wstring PacketTypeDisplayName(std::wstring_view packetType) {
    struct Name {
        std::wstring_view packet;
        std::wstring_view shown;
    };
    static constexpr Name names[] = {
        {L"i4", L"Integer"},        {L"i2", L"SmallInt"},   {L"i1", L"ShortInt"},  {L"ui1", L"Byte"},
        {L"ui2", L"Word"},          {L"string", L"String"}, {L"string.uni", L"WideString"},
        {L"boolean", L"Boolean"},   {L"r8", L"Float"},      {L"date", L"Date"},    {L"dateTime", L"DateTime"},
        {L"bin.hex", L"Blob"},
    };
    for (const auto& name : names)
        if (name.packet == packetType) return std::wstring(name.shown);
    return std::wstring(packetType);
}

bool AcceptsPacketType(FieldType type, std::wstring_view packetType) {
    if (type == FieldType::WideText) return packetType == L"string.uni";
    return packetType == L"i1" || packetType == L"i2" || packetType == L"i4" || packetType == L"ui1" ||
           packetType == L"ui2";
}

int FindField(const std::vector<FieldDef>& fields, std::wstring_view name) {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name) return static_cast<int>(i);
    for (size_t i = 0; i < fields.size(); ++i)
        if (EqualsIgnoreCase(fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

int FieldIndexOrThrow(const std::vector<FieldDef>& fields, std::wstring_view name) {
    const int index = FindField(fields, name);
    if (index < 0) throw Error(Substitute(L"Field '%s' not found", {name}));
    return index;
}

}  // namespace orvelin
