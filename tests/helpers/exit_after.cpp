// Ends after a number of milliseconds with a given exit code: "exit_after.exe MS CODE".
// Started through the shell, which passes no arguments, it takes both numbers from its own
// file name instead: "exit_after_1000_259.exe".
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

struct Plan {
    DWORD delayMs = 0;
    UINT exitCode = 0;
};

Plan FromArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    Plan plan;
    if (arguments && count >= 3) {
        plan.delayMs = static_cast<DWORD>(std::wcstoul(arguments[1], nullptr, 10));
        plan.exitCode = static_cast<UINT>(std::wcstoul(arguments[2], nullptr, 10));
    } else {
        const std::wstring name = orvelin::ChangeFileExt(orvelin::ExtractFileName(orvelin::ModuleFilePath()), L"");
        const size_t codeAt = name.rfind(L'_');
        const size_t delayAt = codeAt == std::wstring::npos || codeAt == 0 ? std::wstring::npos : name.rfind(L'_', codeAt - 1);
        if (delayAt != std::wstring::npos) {
            plan.delayMs = static_cast<DWORD>(std::wcstoul(name.c_str() + delayAt + 1, nullptr, 10));
            plan.exitCode = static_cast<UINT>(std::wcstoul(name.c_str() + codeAt + 1, nullptr, 10));
        }
    }
    LocalFree(arguments);
    return plan;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const Plan plan = FromArguments();
    Sleep(plan.delayMs);
    return static_cast<int>(plan.exitCode);
}
