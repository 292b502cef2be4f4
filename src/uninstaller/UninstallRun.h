#pragma once
// The uninstall run behind "Start UnInstall": the installation record and its list, the
// confirmation, the running-application check, the listed files, the shortcuts, then the
// Uninstall key and the application's per-user key, and last what a rerun would need (the
// uninstall folder's Setup.ini and the list). A file that cannot be deleted keeps the record,
// so the run can be repeated once the file is free; a rerun passes over what is gone.
#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "platform/Handles.h"
#include "ui/RunView.h"
#include "uninstaller/RemovalScope.h"
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
    // Uninstall key is refused (exit code "not installed"), and a list that cannot be used
    // fails, before anything is asked or changed. Errors propagate.
    Outcome Execute(bool removeFiles);
    const UninstallTrace& Trace() const noexcept { return trace_; }

private:
    void Step(const std::wstring& status);
    void HoldApplicationMutex();
    // Deletes the listed files inside the product, last line first, noting the two shortcuts
    // on the way, then the folders they emptied; any other listed path is left alone. The files
    // of the uninstall folder itself are kept for the end of the run.
    void DeleteInstalledFiles(const std::vector<std::wstring>& listed, RemovalScope& scope);
    void RemoveEmptiedFolders(const std::vector<std::wstring>& files, RemovalScope& scope);
    void RemoveProgramShortcutFolder(const RemovalScope& scope);
    void RemoveKey(HKEY root, const wchar_t* rootName, const std::wstring& path);
    void RemoveFile(const std::wstring& file);
    // Throws, naming the files that are still there, when any could not be deleted.
    void CheckNothingLeft() const;
    // The record's own files in the uninstall folder: its Setup.ini and the list.
    void RemoveRecordFiles();

    const UninstallSettings& settings_;
    std::vector<UniqueHandle>& heldMutexes_;
    RunView& view_;
    RunLog& log_;
    UninstallTrace trace_;
    std::vector<std::wstring> notDeleted_;   // each with the system's reason
    std::vector<std::wstring> skipped_;      // listed, but outside the product
    std::vector<std::wstring> recordFiles_;  // listed in the uninstall folder, for the end of the run
};

// "InstallLocation" of the application's Uninstall key; empty when the key or value is missing
// or no GUID is given.
std::wstring ReadInstallLocation(const std::wstring& guid);

}  // namespace orvelin
