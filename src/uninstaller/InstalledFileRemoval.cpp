// The uninstall run's removal of what the installer placed: the listed files, the emptied
// application folders and the program shortcut's folder.
#include <windows.h>
#include <shlobj.h>

#include "shared/CommonHelpers.h"
#include "shared/GenUtil.h"
#include "shared/Handles.h"
#include "shared/TextFile.h"
#include "shared/TextUtil.h"
#include "uninstaller/UninstallRun.h"

namespace orvelin {

namespace {

// Names of the files (not folders) directly in the folder, which ends with a backslash.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    const UniqueFind find(FindFirstFileW((folder + L"*.*").c_str(), &entry));
    if (!find) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(entry.cFileName);
    } while (FindNextFileW(find.Get(), &entry));
    return names;
}

}  // namespace

void UninstallRun::DeleteInstalledFiles() {
    const std::wstring listFile = state_.UnInstallPath + L"\\uninstallfilelist.txt";
    const std::vector<std::wstring> lines = ReadTextFile(listFile).lines;
    // Last line first: the uninstall folder's Setup.ini, the shortcuts, then the copied files.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->empty()) continue;
        NoteShortcut(*line);
        DeleteFileIfExists(view_, *line);
    }
    DeleteFileIfExists(view_, listFile);
    // Only empty folders go: what the application made while in use stays with its folder.
    for (const auto& folder : ApplicationFolders()) RemoveDirectoryW(folder.c_str());
}

// The desktop shortcut lies in the common desktop folder, whose path holds "Desktop".
void UninstallRun::NoteShortcut(const std::wstring& line) {
    const std::wstring upper = UpperAscii(line);
    if (upper.find(L".LNK") == std::wstring::npos) return;
    if (upper.find(L"DESKTOP") != std::wstring::npos)
        state_.DskTopShortCut = line;
    else
        state_.ProgShortCut = line;
}

// The group folder holds only this application's shortcuts; its parent, the company's group,
// is shared with other applications and stays.
void UninstallRun::RemoveProgramShortcutFolder() {
    if (state_.ProgShortCut.empty()) return;
    const std::wstring folder = ExtractFilePath(state_.ProgShortCut);
    // A bare name would make the current folder the shortcut's folder.
    if (folder.empty()) return;
    for (const auto& name : FileNamesIn(folder)) DeleteFileIfExists(view_, folder + name);
    RemoveDirectoryW(ExcludeTrailingBackslash(folder).c_str());
}

std::vector<std::wstring> UninstallRun::ApplicationFolders() const {
    const std::wstring baseName = ApplicationBaseName();
    // An empty part would name the company folder, which other applications share.
    if (state_.CompName.empty() || baseName.empty()) return {};
    std::vector<std::wstring> folders;
    for (const int csidl : {CSIDL_PROGRAM_FILES, CSIDL_COMMON_APPDATA}) {
        const std::wstring root = GetSpecialFolder(csidl);
        if (!root.empty()) folders.push_back(root + L"\\" + state_.CompName + L"\\" + baseName);
    }
    return folders;
}

}  // namespace orvelin
