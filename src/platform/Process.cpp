#include "platform/Process.h"

#include <shellapi.h>

#include "platform/Handles.h"

namespace orvelin {

namespace {

// Waits on the process itself: an exit code of 259 (STILL_ACTIVE) must not look like a
// running program.
bool WaitHandlingMessages(HANDLE process, const std::function<bool()>& processMessages) {
    while (processMessages()) {
        // Wakes for the process's end or for input arriving after the last look.
        if (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1) return true;
    }
    return false;
}

}  // namespace

ProgramRun RunAndWait(const std::wstring& file, const std::wstring& parameters, HWND owner,
                      const std::function<bool()>& processMessages) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The failure is reported once, by the caller's own message: no second box from the shell.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) return {};
    // No process when the shell handed the file to a program that was already running.
    const UniqueHandle process(info.hProcess);
    if (!process) return {true, std::nullopt};
    if (!WaitHandlingMessages(process.Get(), processMessages)) return {true, std::nullopt};
    DWORD code = 0;
    if (!GetExitCodeProcess(process.Get(), &code)) return {true, std::nullopt};
    return {true, code};
}

}  // namespace orvelin
