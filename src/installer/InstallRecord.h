#pragma once
// The installation record the install leaves for the uninstaller and for Windows' list of
// installed programs: the Uninstall key, the uninstall folder and the installed-file list.
#include <string>

#include "installer/InstallChanges.h"
#include "installer/InstalledFiles.h"
#include "installer/SetupPackage.h"

namespace orvelin {

// Throws "The program is already installed" when the application's Uninstall key exists.
void CheckAlreadyInstalled(const std::wstring& guid);

// Fills the uninstall folder under uninstallRoot, the installer's own all-users data folder
// (PlaceUninstaller), then writes the Uninstall key: last, so that Windows never lists the
// product without its uninstaller.
void WriteUninstallEntry(const SetupSettings& settings, const std::wstring& uninstallRoot,
                         const std::wstring& setupFolder, InstalledFiles& installed, InstallChanges& changes,
                         RunView& view);

// Copies the uninstaller (with its Arabic module when the setup has one) and setup.ini into the
// folder, lists the folder's Setup.ini last and saves the installed-file list there.
void PlaceUninstaller(const std::wstring& folder, const std::wstring& setupFolder, InstalledFiles& installed,
                      InstallChanges& changes, RunView& view);

// "UninstallString" of an uninstaller path: quoted when it holds a blank, so that Windows
// does not take the text after the blank for arguments.
std::wstring QuotedCommand(const std::wstring& path);

// The installed files' size in KB, rounded up, each file counted once: "EstimatedSize".
DWORD EstimatedSizeKb(const std::vector<std::wstring>& files);

}  // namespace orvelin
