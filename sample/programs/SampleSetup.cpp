// A stand-in for another vendor's setup program (the database server's, a report viewer's):
// it appends "<its file name> ran", and the arguments it was given, to "setup-runs.log" beside
// itself and ends with exit code 0. The installer starts it through the shell and waits for it:
// without arguments when a person watches, with its [QuietArguments] when nobody does. It takes
// a second, as a setup takes its time.
#include <windows.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    // A setup takes its time.
    Sleep(1000);
    const std::wstring self = orvelin::ModuleFilePath();
    const std::wstring log = orvelin::ExtractFilePath(self) + L"setup-runs.log";
    const orvelin::UniqueFile file(CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    const std::wstring given = orvelin::Trim(arguments ? arguments : L"");
    const std::string line =
        orvelin::ToUtf8(orvelin::ExtractFileName(self) + L" ran" + (given.empty() ? L"" : L" " + given) + L"\r\n");
    DWORD written = 0;
    return WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ? 0 : 1;
}
