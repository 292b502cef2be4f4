#pragma once
// Starting another program through the shell and waiting for it to end.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace orvelin {

struct ProgramRun {
    bool started = false;            // false: the shell refused the file
    std::optional<DWORD> exitCode;   // empty when the shell gave no process to wait for
};

// Opens the file through the shell (default verb, the parameters given, shown normally, owned
// by `owner`) and waits on the started process, going on the moment it ends. Meanwhile the
// caller's windows keep painting: processMessages handles what is pending (input held as the
// caller holds it) and answers false once the program has been asked to end, which ends the
// wait too.
ProgramRun RunAndWait(const std::wstring& file, const std::wstring& parameters, HWND owner,
                      const std::function<bool()>& processMessages);

}  // namespace orvelin
