#pragma once
// Reading an XML data packet into the records of a table with declared fields.
#include <string>
#include <vector>

#include "datapacket/DataPacketFields.h"
#include "datapacket/DataPacketRecords.h"

namespace orvelin {

struct LoadedPacket {
    DataPacketRecords records;
    bool pendingChanges = false;   // the packet carried rows with a "RowState"
};

// Binds the file's "FIELDS" to the declared fields and reads every "ROW". Throws Error at the
// first problem; see DataPacketTable.h for the rules.
LoadedPacket ReadDataPacket(const std::wstring& fileName, const std::vector<FieldDef>& fields);

}  // namespace orvelin
