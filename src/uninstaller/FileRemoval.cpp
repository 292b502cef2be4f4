// The uninstall run's removal of what the installer placed: the listed files, the emptied
// application folders and the program shortcut's folder.
#include <windows.h>

#include "uninstaller/FileRemoval.h"

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "uninstaller/UninstallRun.h"

namespace orvelin {

bool DeleteFileIfExists(RunView& view, RunLog& log, const std::wstring& file) {
    if (!FileExists(file)) return false;
    if (DeleteFileW(file.c_str())) {
        log.Write(L"File deleted: " + file);
        return true;
    }
    log.Write(L"File not deleted: " + file + L": " + SystemErrorText(GetLastError()));
    view.ShowError(L"Error DeleteFile");
    return false;
}

void UninstallRun::DeleteInstalledFiles(const std::wstring& uninstallFolder) {
    const std::wstring listFile = uninstallFolder + L"\\" + kInstalledFileList;
    const std::vector<std::wstring> lines = ReadInstalledFileList(listFile);
    // Last line first: the uninstall folder's Setup.ini, the shortcuts, then the copied files.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->empty()) continue;
        NoteShortcut(*line);
        RemoveFile(*line);
    }
    RemoveFile(listFile);
    // Only empty folders go: what the application made while in use stays with its folder.
    const std::wstring name = settings_.ApplicationName();
    // An empty name would make them the company's folders, shared with other applications.
    if (name.empty()) return;
    for (const auto& folder : ApplicationFolders(name))
        if (RemoveDirectoryW(folder.c_str())) log_.Write(L"Folder removed: " + folder);
}

// The desktop shortcut lies in the common desktop folder, whose path holds "Desktop".
void UninstallRun::NoteShortcut(const std::wstring& line) {
    const std::wstring upper = UpperAscii(line);
    if (upper.find(kShortcutExtension) == std::wstring::npos) return;
    if (upper.find(L"DESKTOP") != std::wstring::npos)
        trace_.desktopShortcut = line;
    else
        trace_.programShortcut = line;
}

// The group folder holds only this application's shortcuts; its parent, the company's group,
// is shared with other applications and stays.
void UninstallRun::RemoveProgramShortcutFolder() {
    if (trace_.programShortcut.empty()) return;
    const std::wstring folder = ExtractFilePath(trace_.programShortcut);
    // A bare name would make the current folder the shortcut's folder.
    if (folder.empty()) return;
    std::vector<std::wstring> files;
    ForEachEntry(folder, L"*.*", [&](const WIN32_FIND_DATAW& entry) {
        if (!IsFolder(entry)) files.push_back(folder + entry.cFileName);
    });
    for (const auto& file : files) RemoveFile(file);
    if (RemoveDirectoryW(ExcludeTrailingBackslash(folder).c_str())) log_.Write(L"Folder removed: " + folder);
}

}  // namespace orvelin
