// A stand-in for another vendor's setup program (the database server's, a report viewer's):
// it appends "<its file name> ran" to "setup-runs.log" beside itself and ends with exit code 0.
// The installer starts it through the shell, without arguments, and waits for it.
#include <windows.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring self = orvelin::ModuleFilePath();
    const std::wstring log = orvelin::ExtractFilePath(self) + L"setup-runs.log";
    const orvelin::UniqueFile file(CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    const std::string line = orvelin::ToUtf8(orvelin::ExtractFileName(self) + L" ran\r\n");
    DWORD written = 0;
    return WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ? 0 : 1;
}
