#pragma once
// Drives a program's windows as a user would: starts the program, finds its main window, reads
// and sets its controls, and answers its message boxes one at a time. The program may be
// another process or, for the boxes of a routine under test, this test program itself.
// Commands are posted, so a handler that runs for long (or shows a box) never blocks the driver.
#include <windows.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Handles.h"

namespace orvelin::test {

using namespace std::chrono_literals;

// Generous: the first start of a program in a fresh Wine prefix can take many seconds.
inline constexpr std::chrono::milliseconds UiTimeout = 90s;

// A program started for a test or the demo; ended by force if it still runs when this goes.
// It inherits the caller's environment: under Wine that includes the Unix locale (LC_ALL),
// which decides the program's user locale.
class ChildProcess {
public:
    // workingFolder empty: the caller's current folder. arguments follow the quoted program.
    explicit ChildProcess(const std::wstring& program, const std::wstring& workingFolder = L"",
                          const std::wstring& arguments = L"");
    ~ChildProcess();
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept = default;

    DWORD Id() const noexcept { return id_; }
    bool Running() const;
    // Ends the process at once, as Task Manager or a power cut would, and waits until it has.
    void Kill() const;
    // The exit code once the process has ended; empty when it still runs after the timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = UiTimeout) const;

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// A visible top-level window of the process with exactly this caption; null after the timeout
// or once the process has ended.
HWND WaitForWindow(const ChildProcess& process, const std::wstring& caption,
                   std::chrono::milliseconds timeout = UiTimeout);

// The first visible top-level window of the process that is not a message box, whatever its
// caption; null after the timeout or once the process has ended.
HWND WaitForMainWindow(const ChildProcess& process, std::chrono::milliseconds timeout = UiTimeout);
// A top-level window's caption, read without a message to its (possibly busy) program.
std::wstring CaptionOf(HWND window);

// A message box as the user saw it.
struct MessageBoxView {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;   // IDOK, IDYES, IDNO, IDCANCEL ... in the box's order
    bool Offers(int id) const;
};

// The next message box the process shows. Empty when the process ends, or the timeout passes,
// before one appears.
std::optional<MessageBoxView> WaitForMessageBox(const ChildProcess& process,
                                                std::chrono::milliseconds timeout = UiTimeout);
// The next message box this test program shows, on another of its threads.
std::optional<MessageBoxView> WaitForOwnMessageBox(std::chrono::milliseconds timeout = 20s);
// Presses one of the box's buttons and waits until the box has gone.
void Answer(const MessageBoxView& box, int buttonId);

// What a click on the button does: its BN_CLICKED command, posted to the dialog.
void Click(HWND dialog, int id);
// The Escape key, as the dialog's focused control receives it.
void PressEscape(HWND dialog);
// The title bar's close button.
void PressCloseBox(HWND window);
// Polls until the window is gone; false when it is still there after the timeout.
bool WaitUntilDestroyed(HWND window, std::chrono::milliseconds timeout = 20s);

std::wstring ControlText(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
int ProgressPosition(HWND dialog, int id);
// What picking an item of the drop-down list does: the selection, then CBN_SELCHANGE to the owner.
void SelectComboItem(HWND dialog, int id, int index);
// The window is laid out from the right (WS_EX_LAYOUTRTL).
bool IsLaidOutRightToLeft(HWND window);
// The control reads its text right to left: it is mirrored, or has the right-to-left reading
// order. Either shows a GUID or a Latin name backwards.
bool ReadsRightToLeft(HWND dialog, int id);
struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};
std::ostream& operator<<(std::ostream& out, const PixelSize& size);
// The window's client area.
PixelSize ClientAreaSize(HWND window);
// Waits until the control is enabled again, as after a run that ended with an error.
bool WaitUntilEnabled(HWND dialog, int id, std::chrono::milliseconds timeout = UiTimeout);

}  // namespace orvelin::test
