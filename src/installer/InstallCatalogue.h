#pragma once
// The installation catalogue: applications, their locations, the locations' folders and the
// files of locations (level 2) and folders (level 3), as four linked data-packet tables read
// from the setup folder's "data\" files.
#include <string>
#include <vector>

#include "datapacket/DataPacketTable.h"

namespace orvelin {

// The declared fields of the four catalogue files, in file order.
std::vector<FieldDef> ApplicsFields();
std::vector<FieldDef> LocationsFields();
std::vector<FieldDef> FoldersFields();
std::vector<FieldDef> FilesFields();

// Catalogue files, relative to the setup folder.
inline constexpr wchar_t kApplicsFile[] = L"data\\tblApplics.xml";
inline constexpr wchar_t kLocationsFile[] = L"data\\tblLocations.xml";
inline constexpr wchar_t kFoldersFile[] = L"data\\tblFolders.xml";
inline constexpr wchar_t kFilesFile[] = L"data\\tblFiles.xml";

// File levels: attached to a location, or to a folder.
inline constexpr int kLocationLevel = 2;
inline constexpr int kFolderLevel = 3;

class InstallCatalogue {
public:
    // Applications ordered by MAJOR_ID; locations ordered by PARENT_ID and showing the current
    // application's; folders ordered by PARENT_ID and showing the current location's; files in
    // file order, selected by node.
    InstallCatalogue();

    // basePath ends with a backslash. Loads the tables in the order above; an error stops at
    // the table that raised it.
    void Load(const std::wstring& basePath);

    // Shows exactly the files with NODE_LEVEL = level and PARENT_ID = nodeId, in file order,
    // and moves to the first of them.
    void SelectNodeFiles(int level, int nodeId);

    // Declared in master-before-detail order, so details are released first.
    DataPacketTable applications;
    DataPacketTable locations;
    DataPacketTable folders;
    DataPacketTable files;
};

}  // namespace orvelin
