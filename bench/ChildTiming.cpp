#include "ChildTiming.h"

#include <chrono>
#include <optional>

#include "BenchClock.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "support/UiDriver.h"

namespace orvelin::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kTimeout = std::chrono::minutes(10);
// Short, so that the figure is not rounded up by much; Wine's sleeps are this fine.
constexpr DWORD kPollMilliseconds = 2;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The message box's text control has the same id on Windows and Wine.
bool IsMessageBox(HWND window) { return GetDlgItem(window, 0xFFFF) != nullptr; }

DWORD WaitForEnd(const test::ChildProcess& child, const std::wstring& program) {
    const std::optional<DWORD> code = child.WaitForExit(kTimeout);
    if (!code) throw Error(program + L" did not end");
    return *code;
}

double Since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

}  // namespace

double MillisecondsToEnd(const std::wstring& program, const std::wstring& arguments) {
    DWORD code = 0;
    const double elapsed = Milliseconds([&] {
        const test::ChildProcess child(program, ExtractFilePath(program), arguments);
        code = WaitForEnd(child, program);
    });
    if (code != 0) throw Error(program + L" " + arguments + L" ended with exit code " + std::to_wstring(code));
    return elapsed;
}

double MillisecondsToWindow(const std::wstring& program, const std::wstring& arguments) {
    const auto start = Clock::now();
    const test::ChildProcess child(program, ExtractFilePath(program), arguments);
    HWND window = nullptr;
    while (!(window = VisibleWindowOf(child.Id()))) {
        if (!child.Running()) throw Error(program + L" ended before its window showed");
        if (Clock::now() - start > kTimeout) throw Error(program + L" showed no window");
        Sleep(kPollMilliseconds);
    }
    const double elapsed = Since(start);
    if (IsMessageBox(window)) throw Error(program + L" showed a message box, not its window");
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForEnd(child, program);
    return elapsed;
}

}  // namespace orvelin::bench
