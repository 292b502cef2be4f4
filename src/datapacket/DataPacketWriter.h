#pragma once
// Writing a table as an XML data packet in UTF-8.
#include <string>
#include <string_view>
#include <vector>

#include "datapacket/DataPacketFields.h"
#include "datapacket/DataPacketRecords.h"

namespace orvelin {

// Creates or replaces the file. Throws "Cannot create file "%s". %s" when it cannot.
void WriteDataPacket(const std::wstring& fileName, const std::vector<FieldDef>& fields,
                     const DataPacketRecords& records);

}  // namespace orvelin
