#include "RunningApplication.h"

#include <windows.h>

#include <stdexcept>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin::test {

namespace {

// Generous: a first start of a program in the prefix can be slow. Only a hung helper meets it.
constexpr DWORD kStartLimit = 60000;

UniqueHandle NewEvent(const std::wstring& name) {
    UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    if (!event) throw std::runtime_error("cannot create the event " + ToUtf8(name));
    return event;
}

}  // namespace

RunningApplication::RunningApplication(const std::wstring& guid) {
    const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"-" + guid;
    const std::wstring readyName = L"orvelin-test-ready-" + tag;
    const std::wstring quitName = L"orvelin-test-quit-" + tag;
    ready_ = NewEvent(readyName);
    quit_ = NewEvent(quitName);

    const std::wstring helper = ExtractFilePath(ModuleFilePath()) + L"mutex_holder.exe";
    std::wstring commandLine = L"\"" + helper + L"\" \"" + guid + L"\" \"" + readyName + L"\" \"" + quitName + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        throw std::runtime_error("cannot start " + ToUtf8(helper));
    process_.Reset(started.hProcess);
    CloseHandle(started.hThread);

    const HANDLE waited[] = {ready_.Get(), process_.Get()};
    if (WaitForMultipleObjects(2, waited, FALSE, kStartLimit) != WAIT_OBJECT_0) {
        Quit();
        throw std::runtime_error("the mutex holder did not take the mutex");
    }
}

void RunningApplication::Quit() {
    if (!process_) return;
    SetEvent(quit_.Get());
    WaitForSingleObject(process_.Get(), kStartLimit);
    process_.Reset();
}

}  // namespace orvelin::test
