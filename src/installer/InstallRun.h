#pragma once
// The install run behind the Install button, and the steps it calls.
#include <string>
#include <vector>

#include "installer/InstallView.h"
#include "installer/InstallerState.h"

namespace orvelin {

class InstallRun {
public:
    // exePath: the installer's folder (source of the FILES tree); commonDataDir: the
    // installer's own CommonDataDir, which receives the uninstall folder.
    InstallRun(InstallerState& state, InstallView& view, std::wstring exePath, std::wstring commonDataDir);

    // btnInstallClick: returns normally after success (the window has been asked to close)
    // or after a refused database choice; any error propagates to the window's top level.
    void Execute();

    // The steps, public so they can be exercised one by one.
    void SetProgressRange();
    void CopyLocations();
    void CopyNodeFiles(const std::wstring& destination, int nodeLevel, int nodeId);
    std::wstring ReadProgramFilesDir() const;
    std::wstring LocationBaseFolder(int kind) const;   // empty when the kind is not 1 to 4
    void InstallDbServers();
    void InstallThirdPartyPrograms();
    void RunFolderPrograms(int nodeLevel, int parentId);
    std::wstring FindUsedFolder(const std::wstring& title) const;
    void CreateShortcuts();
    void CreateProgramGroupShortcut();
    void CreateDesktopShortcut();
    void CheckAlreadyInstalled(const std::wstring& guid) const;
    void WriteUninstallEntry(const std::wstring& guid);
    void PlaceUninstaller(const std::wstring& folder);

    // Run state, visible for the tests.
    std::wstring currentSourceFolder;                // no trailing backslash
    std::wstring runFolder;
    std::vector<std::wstring> usedFolders;

private:
    // The two categories that hold other vendors' setup programs differ only in the name
    // they announce before running them.
    enum class SetupCategory { DatabaseServers, ThirdParty };

    void InstallCategory(int category, const std::wstring& setupRoot);
    void ProcessLocationFolders(int runCode, const std::wstring& categoryFolder, SetupCategory category);

    InstallerState& state_;
    InstallView& view_;
    std::wstring exePath_;
    std::wstring commonDataDir_;
};

// The Uninstall key of an application GUID, relative to HKEY_LOCAL_MACHINE.
std::wstring UninstallKeyPath(const std::wstring& guid);

// "UninstallString" of an uninstaller path: quoted when it holds a blank, so that Windows
// does not take the text after the blank for arguments.
std::wstring QuotedCommand(const std::wstring& path);

}  // namespace orvelin
