#pragma once
// Drives windows of another thread or process as a user would: finds them, reads their texts
// and presses their buttons. Message boxes and dialogs have the class "#32770".
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::test {

inline constexpr const wchar_t* DialogClass = L"#32770";

// Whose top-level windows to look at: a whole process, or one thread of it.
struct WindowOwner {
    DWORD processId = 0;
    DWORD threadId = 0;   // 0: any thread of the process

    static WindowOwner Process(DWORD id) { return {id, 0}; }
    static WindowOwner Thread(DWORD id) { return {0, id}; }
};

// Visible or not, in Z order. An empty class or no caption matches every window.
std::vector<HWND> FindTopLevelWindows(const WindowOwner& owner, const std::wstring& className,
                                      const std::optional<std::wstring>& caption = std::nullopt);
// Polls until such a window exists; null when none appeared in time.
HWND WaitForTopLevelWindow(const WindowOwner& owner, const std::wstring& className,
                           const std::optional<std::wstring>& caption = std::nullopt,
                           std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Polls until the window is gone; false when it is still there after the timeout.
bool WaitUntilDestroyed(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// Direct children of a window of a class (empty: any), in Z order.
std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className = L"");
HWND ChildById(HWND parent, int id);

std::wstring ClassOf(HWND window);
// WM_GETTEXT, with a timeout so that a hung window cannot block the test.
std::wstring TextOf(HWND window);
// The texts of the static controls of a dialog, e.g. a message box's message.
std::vector<std::wstring> StaticTexts(HWND dialog);

// What a click on the button does: WM_COMMAND with its id, posted to the dialog.
void PressButton(HWND dialog, int buttonId);
// The Escape key, handled by the dialog's message loop (IDCANCEL where there is one).
void PressEscape(HWND dialog);
// The title bar's close button.
void PressCloseBox(HWND window);

}  // namespace orvelin::test
