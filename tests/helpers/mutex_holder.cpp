// Holds a named mutex as the running application does: "mutex_holder.exe MUTEX READY QUIT".
// Sets the existing event READY once the mutex is held and keeps it until the event QUIT is
// set, or two minutes have passed so that a forgotten helper cannot linger.
#include <windows.h>
#include <shellapi.h>

#include "platform/Handles.h"

namespace {

constexpr DWORD kLongestHold = 120000;

struct ArgumentList {
    ArgumentList() : values(CommandLineToArgvW(GetCommandLineW(), &count)) {}
    ~ArgumentList() { LocalFree(values); }
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;
    int count = 0;
    LPWSTR* values;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const ArgumentList arguments;
    if (!arguments.values || arguments.count < 4) return 2;
    const orvelin::UniqueHandle mutex(CreateMutexW(nullptr, TRUE, arguments.values[1]));
    const orvelin::UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments.values[2]));
    const orvelin::UniqueHandle quit(OpenEventW(SYNCHRONIZE, FALSE, arguments.values[3]));
    if (!mutex || !ready || !quit) return 1;
    SetEvent(ready.Get());
    WaitForSingleObject(quit.Get(), kLongestHold);
    return 0;
}
