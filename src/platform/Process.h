#pragma once
// Starting another program through the shell and waiting for it to end.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace orvelin {

enum class WaitMode {
    Sleeping,           // 3-second polls; the caller's windows do not repaint meanwhile
    HandlingMessages,   // the caller keeps handling its window messages
};

struct ProgramRun {
    bool started = false;            // false: the shell refused the file
    std::optional<DWORD> exitCode;   // empty when the shell gave no process to wait for
};

// Opens the file through the shell (default verb, the parameters given, shown normally, owned
// by `owner`) and waits until the started process ends. In message mode processMessages handles
// what is pending and answers false once the program has been asked to end, which ends the
// wait too.
ProgramRun RunAndWait(const std::wstring& file, const std::wstring& parameters, HWND owner, WaitMode mode,
                      const std::function<bool()>& processMessages);

}  // namespace orvelin
