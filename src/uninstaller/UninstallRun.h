#pragma once
// The uninstall run behind "Start UnInstall": the installation record, the confirmation, the
// running-application check, the listed files, the shortcuts, then the Uninstall key and the
// application's per-user key.
#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "platform/Handles.h"
#include "ui/RunView.h"
#include "uninstaller/UninstallSettings.h"

namespace orvelin {

// What one run found and removed, for whoever looks afterwards.
struct UninstallTrace {
    std::wstring uninstallFolder;    // "InstallLocation" of the Uninstall key
    std::wstring programShortcut;    // the programs-menu shortcut noted in the list
    std::wstring desktopShortcut;    // the desktop shortcut noted in the list
};

class UninstallRun {
public:
    // heldMutexes: the GUID-named mutexes this program created; they stay held until it ends,
    // so a second press in the same window finds the name taken.
    UninstallRun(const UninstallSettings& settings, std::vector<UniqueHandle>& heldMutexes, RunView& view,
                 RunLog& log);

    enum class Outcome { Cancelled, Uninstalled };
    // Cancelled: the confirmation was not given and nothing changed. A product without its
    // Uninstall key is refused (exit code "not installed") before anything is asked or changed.
    // Errors propagate.
    Outcome Execute(bool removeFiles);
    const UninstallTrace& Trace() const noexcept { return trace_; }

    // Deletes the files of the uninstall folder's list, last line first, noting the two
    // shortcuts on the way, then the list itself and the application folders it emptied.
    void DeleteInstalledFiles(const std::wstring& uninstallFolder);

private:
    void Step(const std::wstring& status);
    void HoldApplicationMutex();
    void NoteShortcut(const std::wstring& line);
    void RemoveProgramShortcutFolder();
    void RemoveKey(HKEY root, const wchar_t* rootName, const std::wstring& path);
    bool RemoveFile(const std::wstring& file);

    const UninstallSettings& settings_;
    std::vector<UniqueHandle>& heldMutexes_;
    RunView& view_;
    RunLog& log_;
    UninstallTrace trace_;
};

// "InstallLocation" of the application's Uninstall key; empty when the key or value is missing
// or no GUID is given.
std::wstring ReadInstallLocation(const std::wstring& guid);

}  // namespace orvelin
