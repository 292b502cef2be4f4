// A stand-in for a vendor's setup program: appends "start <name> <tick>", waits a moment and
// appends "end <name> <tick>". The shell starts it without arguments, so the log is the file
// named by the environment variable ORVELIN_RUN_LOG, or "run_log.txt" beside the program.
// <name> is the program's own file name.
#include <windows.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace {

constexpr DWORD RunMilliseconds = 400;

std::wstring LogPath(const std::wstring& self) {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetEnvironmentVariableW(L"ORVELIN_RUN_LOG", buffer, MAX_PATH + 1);
    if (length > 0 && length <= MAX_PATH) return std::wstring(buffer, length);
    return orvelin::ExtractFilePath(self) + L"run_log.txt";
}

// Appends one line; another program of the test may hold the log for a moment.
void AppendLine(const std::wstring& log, const std::wstring& line) {
    const std::string bytes = orvelin::ToUtf8(line + L"\r\n");
    for (int attempt = 0; attempt < 100; ++attempt) {
        orvelin::UniqueFile file(CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            DWORD written = 0;
            WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            return;
        }
        Sleep(20);
    }
}

}  // namespace

// Exits with the number of its arguments, so that a caller's report of the exit code can be told
// from a plain 0.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    const std::wstring self = orvelin::ModuleFilePath();
    const std::wstring name = orvelin::ExtractFileName(self);
    const std::wstring log = LogPath(self);
    const std::wstring given = orvelin::Trim(arguments ? arguments : L"");
    int count = 0;
    for (size_t i = 0; i < given.size(); ++i)
        if (given[i] != L' ' && (i == 0 || given[i - 1] == L' ')) ++count;
    AppendLine(log, L"start " + name + L" " + std::to_wstring(GetTickCount64()));
    if (count > 0) AppendLine(log, L"arguments " + name + L" " + given + L" " + std::to_wstring(GetTickCount64()));
    Sleep(RunMilliseconds);
    AppendLine(log, L"end " + name + L" " + std::to_wstring(GetTickCount64()));
    return count;
}
