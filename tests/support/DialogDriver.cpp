#include "support/DialogDriver.h"

#include <iterator>
#include <thread>

namespace orvelin::test {

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(50);
constexpr UINT TextTimeoutMs = 5000;

struct Search {
    const WindowOwner* owner;
    const std::wstring* className;
    const std::optional<std::wstring>* caption;
    std::vector<HWND> found;
};

bool Matches(HWND window, const std::wstring& className, const std::optional<std::wstring>& caption) {
    if (!className.empty() && ClassOf(window) != className) return false;
    return !caption || TextOf(window) == *caption;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    const WindowOwner& owner = *search.owner;
    const bool owned = owner.threadId ? threadId == owner.threadId : processId == owner.processId;
    if (owned && Matches(window, *search.className, *search.caption)) search.found.push_back(window);
    return TRUE;
}

std::wstring TextByMessage(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, TextTimeoutMs, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             TextTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

bool IsWithin(HWND window, HWND dialog) { return window == dialog || IsChild(dialog, window); }

}  // namespace

std::vector<HWND> FindTopLevelWindows(const WindowOwner& owner, const std::wstring& className,
                                      const std::optional<std::wstring>& caption) {
    Search search{&owner, &className, &caption, {}};
    if (owner.threadId)
        EnumThreadWindows(owner.threadId, CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    else
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevelWindow(const WindowOwner& owner, const std::wstring& className,
                           const std::optional<std::wstring>& caption, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto found = FindTopLevelWindows(owner, className, caption);
        if (!found.empty()) return found.front();
        if (std::chrono::steady_clock::now() >= deadline) return nullptr;
        std::this_thread::sleep_for(PollInterval);
    }
}

bool WaitUntilDestroyed(HWND window, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (IsWindow(window)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (className.empty() || ClassOf(child) == className) children.push_back(child);
    return children;
}

HWND ChildById(HWND parent, int id) { return GetDlgItem(parent, id); }

std::wstring ClassOf(HWND window) {
    wchar_t name[256];
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring TextOf(HWND window) { return TextByMessage(window); }

std::vector<std::wstring> StaticTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    for (HWND child : ChildWindows(dialog, L"Static")) {
        const std::wstring text = TextOf(child);
        if (!text.empty()) texts.push_back(text);
    }
    return texts;
}

void PressButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(ChildById(dialog, buttonId)));
}

void PressEscape(HWND dialog) {
    // The dialog's message loop sees the key only when it is addressed to the dialog or a
    // control of it; the focused control is where a real key press would go.
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus &&
        IsWithin(info.hwndFocus, dialog))
        target = info.hwndFocus;
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
}

void PressCloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

}  // namespace orvelin::test
