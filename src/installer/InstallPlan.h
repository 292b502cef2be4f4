#pragma once
// What an install of a setup package does on one Windows, worked out from its catalogue without
// changing anything: the catalogue nodes in the order the install run reaches them, where each
// node's files come from and go, and which setup programs it offers to run.
#include <string>
#include <vector>

#include "installer/SetupPackage.h"
#include "platform/WindowsPlatform.h"

namespace orvelin {

struct PlannedFile {
    int fileId = 0;
    std::wstring name{};          // DESCRIPTION
    std::wstring source{};        // full path
    std::wstring destination{};   // full path; empty for a setup program
};

enum class NodeAction {
    Copy,                 // into the location's base folder followed by the node's title
    CopyIntoUsedFolder,   // a copy folder titled in capitals: into a folder the install used before
    CopyIntoTitlePath,    // any other copy folder: into its title, taken as a path as it stands
    Run,                  // a run folder: its files are started from the source folder, after asking
};

struct PlannedNode {
    int category = 0;           // the application's ACCOUNT_T
    int locationId = 0;         // MINOR_ID of the node's location
    std::wstring locationTitle;
    int level = 0;              // kLocationLevel: the location's own files; kFolderLevel: a folder's
    int id = 0;                 // MINOR_ID or DETAIL_ID
    std::wstring title;         // the node's own title
    NodeAction action = NodeAction::Copy;
    std::wstring sourceFolder;  // no trailing backslash
    // Copies: no trailing backslash; empty when a capitals title matched no folder used before.
    std::wstring destination;
    // The first file has no name: the install copies nothing of this node.
    bool skipped = false;
    std::vector<PlannedFile> files{};   // in the order the install takes them
};

struct InstallPlan {
    WindowsPlatform windows;
    std::vector<PlannedNode> nodes;   // in install order
    std::wstring mainExecutable;      // its last copy; empty when the install copies none
    std::wstring uninstallerSource;   // uninstall.exe beside the main executable's source
};

// databaseIndex: the database-server choice as the install run passes it on, -1 when the
// window offers none.
InstallPlan PlanInstall(SetupPackage& package, const WindowsPlatform& windows, int databaseIndex);

// The choice an install nobody watches makes: FIREBIRD when the setup offers a server.
int DefaultDatabaseIndex(const SetupSettings& settings);

}  // namespace orvelin
