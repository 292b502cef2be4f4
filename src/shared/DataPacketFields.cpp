#include "shared/DataPacketFields.h"

#include <cstdint>

#include "shared/Error.h"
#include "shared/TextUtil.h"

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

bool ParseInteger(std::wstring_view text, int& value) {
    size_t pos = 0, end = text.size();
    while (pos < end && text[pos] == L' ') ++pos;
    while (end > pos && text[end - 1] == L' ') --end;
    bool negative = false;
    if (pos < end && (text[pos] == L'-' || text[pos] == L'+')) negative = text[pos++] == L'-';
    if (pos == end) return false;
    const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : INT32_MAX;
    int64_t magnitude = 0;
    for (; pos < end; ++pos) {
        const wchar_t c = text[pos];
        if (c < L'0' || c > L'9') return false;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > limit) return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace orvelin
