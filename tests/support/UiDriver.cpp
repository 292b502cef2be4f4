#include "support/UiDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "platform/Text.h"

namespace orvelin::test {

namespace {

constexpr auto PollInterval = 50ms;
// The message box's text control, the same id on Windows and Wine.
constexpr int MessageTextId = 0xFFFF;

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ProcessWindows*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window)) search.found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    ProcessWindows search{processId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// WM_GETTEXT that waits for a busy program: one that has just slept through a setup program
// counts as hung for a moment, and SMTO_ABORTIFHUNG would then read nothing.
std::wstring ReadText(HWND window) {
    constexpr UINT Limit = 10000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, Limit, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, Limit,
                             &copied))
        return {};
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? length : 0);
}

bool IsMessageBox(HWND window) {
    return ClassOf(window) == L"#32770" && GetDlgItem(window, MessageTextId) != nullptr;
}

MessageBoxView Describe(HWND box) {
    MessageBoxView view;
    view.window = box;
    view.caption = CaptionOf(box);
    // Found the moment it shows: its text may still be on the way.
    const HWND text = GetDlgItem(box, MessageTextId);
    for (int attempt = 0; attempt < 20 && view.text.empty() && IsWindow(box); ++attempt) {
        if (attempt) std::this_thread::sleep_for(PollInterval);
        view.text = ReadText(text);
    }
    for (HWND button = GetWindow(box, GW_CHILD); button; button = GetWindow(button, GW_HWNDNEXT))
        if (ClassOf(button) == L"Button" && IsWindowVisible(button)) view.buttons.push_back(GetDlgCtrlID(button));
    return view;
}

// Polls `found` until it answers, the timeout passes or the program has ended.
template <class Found>
auto PollUntil(const std::function<bool()>& running, std::chrono::milliseconds timeout, Found found)
    -> decltype(found()) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto result = found()) return result;
        if (!running() || std::chrono::steady_clock::now() >= deadline) return found();
        std::this_thread::sleep_for(PollInterval);
    }
}

std::optional<MessageBoxView> WaitForMessageBoxOf(DWORD processId, const std::function<bool()>& running,
                                                  std::chrono::milliseconds timeout) {
    const HWND box = PollUntil(running, timeout, [&]() -> HWND {
        for (HWND window : VisibleWindowsOf(processId))
            if (IsMessageBox(window)) return window;
        return nullptr;
    });
    if (!box) return std::nullopt;
    return Describe(box);
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& workingFolder,
                           const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &started))
        throw std::runtime_error("cannot start " + ToUtf8(program) + ", error " + std::to_string(GetLastError()));
    process_.Reset(started.hProcess);
    const UniqueHandle thread(started.hThread);
    id_ = started.dwProcessId;
}

ChildProcess::~ChildProcess() { Kill(); }

void ChildProcess::Kill() const {
    if (!process_ || !Running()) return;
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 10000);
}

bool ChildProcess::Running() const { return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

HWND WaitForWindow(const ChildProcess& process, const std::wstring& caption, std::chrono::milliseconds timeout) {
    return PollUntil([&] { return process.Running(); }, timeout, [&]() -> HWND {
        for (HWND window : VisibleWindowsOf(process.Id()))
            if (CaptionOf(window) == caption) return window;
        return nullptr;
    });
}

HWND WaitForMainWindow(const ChildProcess& process, std::chrono::milliseconds timeout) {
    return PollUntil([&] { return process.Running(); }, timeout, [&]() -> HWND {
        for (HWND window : VisibleWindowsOf(process.Id()))
            if (!IsMessageBox(window)) return window;
        return nullptr;
    });
}

// Another process's caption is read without sending it a message, so a program that sleeps
// (while a setup program runs) cannot hold the driver up.
std::wstring CaptionOf(HWND window) {
    wchar_t text[512];
    const int length = GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return std::wstring(text, length > 0 ? length : 0);
}

bool MessageBoxView::Offers(int id) const { return std::find(buttons.begin(), buttons.end(), id) != buttons.end(); }

std::optional<MessageBoxView> WaitForMessageBox(const ChildProcess& process, std::chrono::milliseconds timeout) {
    return WaitForMessageBoxOf(process.Id(), [&] { return process.Running(); }, timeout);
}

std::optional<MessageBoxView> WaitForOwnMessageBox(std::chrono::milliseconds timeout) {
    return WaitForMessageBoxOf(GetCurrentProcessId(), [] { return true; }, timeout);
}

void Answer(const MessageBoxView& box, int buttonId) {
    Click(box.window, buttonId);
    if (!WaitUntilDestroyed(box.window, UiTimeout))
        throw std::runtime_error("the message box \"" + ToUtf8(box.text) + "\" did not close");
}

void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressEscape(HWND dialog) {
    // The dialog's message loop sees the key only when it is addressed to the dialog or a
    // control of it; the focused control is where a real key press would go.
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus &&
        (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus)))
        target = info.hwndFocus;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
}

void PressCloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool WaitUntilDestroyed(HWND window, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (IsWindow(window)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

std::wstring ControlText(HWND dialog, int id) { return ReadText(GetDlgItem(dialog, id)); }

bool IsControlVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

bool IsControlEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 10000, &state);
    return state == BST_CHECKED;
}

int ComboSelection(HWND dialog, int id) {
    DWORD_PTR index = static_cast<DWORD_PTR>(CB_ERR);
    SendMessageTimeoutW(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0, SMTO_NORMAL, 10000, &index);
    return static_cast<int>(static_cast<LRESULT>(index));
}

int ProgressPosition(HWND dialog, int id) {
    DWORD_PTR position = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), PBM_GETPOS, 0, 0, SMTO_NORMAL, 10000, &position);
    return static_cast<int>(position);
}

void SelectComboItem(HWND dialog, int id, int index) {
    const HWND combo = GetDlgItem(dialog, id);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 10000, &ignored);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

bool IsLaidOutRightToLeft(HWND window) {
    return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)) & WS_EX_LAYOUTRTL) != 0;
}

bool ReadsRightToLeft(HWND dialog, int id) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(GetDlgItem(dialog, id), GWL_EXSTYLE));
    return (exStyle & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
}

std::ostream& operator<<(std::ostream& out, const PixelSize& size) {
    return out << size.width << " x " << size.height;
}

PixelSize ClientAreaSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

bool WaitUntilEnabled(HWND dialog, int id, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!IsControlEnabled(dialog, id)) {
        if (!IsWindow(dialog) || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

}  // namespace orvelin::test
