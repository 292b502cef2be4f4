#pragma once
// Writing a table as an XML data packet in UTF-8.
#include <string>
#include <string_view>
#include <vector>

#include "shared/DataPacketFields.h"
#include "shared/DataPacketRecords.h"

namespace orvelin {

// Creates or replaces the file. Throws "Cannot create file "%s". %s" when it cannot.
void WriteDataPacket(const std::wstring& fileName, const std::vector<FieldDef>& fields,
                     const DataPacketRecords& records);

// An attribute value as packets write it: < > & ' " as entities; CR, LF, TAB, backslash and
// the other control characters as three-digit character references ("&#013;").
std::wstring EscapePacketText(std::wstring_view text);

}  // namespace orvelin
