#include "shared/CommonHelpers.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/Registry.h"
#include "shared/RunView.h"
#include "shared/TextUtil.h"
#include "shared/ToggleLanguage.h"

namespace orvelin {

namespace {

constexpr DWORD SleepModePoll = 3000;

template <typename Visit>
void ForEachEntry(const std::wstring& pattern, Visit visit) {
    WIN32_FIND_DATAW data;
    const UniqueFind find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) return;
    do {
        visit(data);
    } while (FindNextFileW(find.Get(), &data));
}

bool IsFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The window does not repaint meanwhile; setup programs are started this way on purpose.
void WaitSleeping(HANDLE process) {
    do {
        Sleep(SleepModePoll);
    } while (WaitForSingleObject(process, 0) == WAIT_TIMEOUT);
}

// Waits on the process itself: an exit code of 259 (STILL_ACTIVE) must not look like a
// running program.
void WaitHandlingMessages(RunView& view, HANDLE process) {
    while (view.ProcessMessages()) {
        // Wakes for the process's end or for input arriving after the view's last look.
        if (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1) return;
    }
}

std::wstring RelativeKeyPath(const std::wstring& keyPath) {
    return !keyPath.empty() && keyPath.front() == L'\\' ? keyPath.substr(1) : keyPath;
}

}  // namespace

bool AskConfirmation(HWND owner, const std::wstring& question) {
    return MessageBoxW(owner, question.c_str(), ApplicationTitle().c_str(),
                       MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON1) == IDYES;
}

std::wstring CheckFolderPath(const std::wstring& path) {
    if (path.empty()) throw Error(TranslateMsg(L"The path is blank"));
    return IncludeTrailingBackslash(path);
}

void RunAndWait(RunView& view, const std::wstring& file, bool sleepMode) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The failure is reported once, by the caller's own message: no second box from the shell.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = view.Owner();
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) {
        ShowMsg(view, L"Error starting the application!");
        return;
    }
    // No process when the shell handed the file to a program that was already running.
    const UniqueHandle process(info.hProcess);
    if (!process) return;
    if (sleepMode)
        WaitSleeping(process.Get());
    else
        WaitHandlingMessages(view, process.Get());
}

void CollectFiles(std::vector<std::wstring>& list, const std::wstring& folder, const std::wstring& mask) {
    // An empty folder would mean the root of the current drive.
    if (folder.empty()) return;
    const std::wstring base = IncludeTrailingBackslash(folder);
    ForEachEntry(base + mask, [&](const WIN32_FIND_DATAW& entry) {
        if (!IsFolder(entry)) list.push_back(base + entry.cFileName);
    });
    std::vector<std::wstring> subfolders;
    ForEachEntry(base + L"*.*", [&](const WIN32_FIND_DATAW& entry) {
        if (IsFolder(entry) && entry.cFileName[0] != L'.') subfolders.emplace_back(entry.cFileName);
    });
    for (const auto& subfolder : subfolders) CollectFiles(list, base + subfolder, mask);
}

bool Is64BitWindows() {
    // Looked up at run time: Windows before XP SP2 has no IsWow64Process.
    const UniqueModule kernel(LoadLibraryW(L"kernel32.dll"));
    if (!kernel) return false;
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel.Get(), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::wstring ReadLocalMachineString(const std::wstring& keyPath, const std::wstring& valueName) {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ | KEY_WOW64_64KEY);
    if (!key) return {};
    return key->ReadString(valueName).value_or(L"");
}

bool DeleteFileIfExists(RunView& view, const std::wstring& fileName) {
    if (!FileExists(fileName)) return false;
    if (DeleteFileW(fileName.c_str())) return true;
    view.ShowError(L"Error DeleteFile");
    return false;
}

void DeleteRegKeyIfExists(const std::wstring& keyPath, HKEY root) {
    const std::wstring relative = RelativeKeyPath(keyPath);
    // An empty path names the root itself, which is never deleted.
    if (relative.empty()) return;
    if (!RegistryKeyExists(root, relative, KEY_READ | KEY_WRITE)) return;
    SHDeleteKeyW(root, relative.c_str());
}

}  // namespace orvelin
