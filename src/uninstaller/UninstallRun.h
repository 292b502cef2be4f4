#pragma once
// The uninstall run behind "Start UnInstall".
#include <string>
#include <vector>

#include "uninstaller/UninstallView.h"
#include "uninstaller/UninstallerState.h"

namespace orvelin {

class UninstallRun {
public:
    UninstallRun(UninstallerState& state, UninstallView& view);

    // Button1Click: returns normally when the run ended (the window has been asked to close)
    // or the user did not confirm; errors propagate to the window's top level.
    void Execute();

    // Deletes the listed files, last line first, noting the two shortcuts on the way, then
    // the list itself and the application folders the deletions emptied.
    void DeleteInstalledFiles();

private:
    void Step(const std::wstring& status);
    void HoldApplicationMutex(const std::wstring& guid);
    void NoteShortcut(const std::wstring& line);
    void RemoveProgramShortcutFolder();
    void DeleteUserSettingsKey();
    std::vector<std::wstring> ApplicationFolders() const;
    std::wstring ApplicationBaseName() const;

    UninstallerState& state_;
    UninstallView& view_;
};

// "InstallLocation" of the application's Uninstall key; empty when the key or value is missing
// or no GUID is given.
std::wstring ReadInstallLocation(const std::wstring& guid);

}  // namespace orvelin
