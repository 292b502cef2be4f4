#pragma once
// The one window of either program: a modeless dialog built from its design, taken from the
// Arabic resource module when that holds it. It sizes itself to the DPI of its monitor, draws
// the banner, holds input off while a run is in progress, and is what the runs report to: a
// status line, a progress bar, and message boxes captioned with the program's title.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "ui/MessageBoxes.h"
#include "ui/ReadingOrder.h"
#include "ui/RunView.h"

namespace orvelin {

struct DialogDesign {
    int dialogId;
    int bannerId;
    int statusId;
    int progressId;
    int progressStep;
    int firstFocusId;   // 0: the dialog's own choice
    SIZE clientSize;    // the designed client area, in pixels at 96 DPI
    int cutAtShow;      // pixels at 96 DPI taken off the client area's bottom when it is shown
};

class DialogWindow {
public:
    DialogWindow(const DialogDesign& design, HMODULE resourceModule);
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Creates and shows the window, then runs the message loop until it closes; answers the
    // program's exit code.
    int Run();

protected:
    // Creates the window and shows it; false when OnShow failed (the error has been shown).
    bool Open();

    // The controls exist; the window is not shown yet.
    virtual void OnCreate() {}
    // Just before the window is first shown. An error ends the program.
    virtual void OnShow() = 0;
    // A command (a button) while no run is in progress.
    virtual void OnCommand(int id) = 0;
    // The window is about to close (no run is in progress).
    virtual void OnClosing() {}

    // Runs a long operation with input held off: commands and the close box are ignored, and
    // the given controls are disabled meanwhile. An error it raises is shown in the error box,
    // and the window stays open; answers whether it ended without one.
    bool HoldInputWhile(std::initializer_list<int> controls, const std::function<void()>& run);
    void Close();
    void SetExitCode(int code) noexcept { exitCode_ = code; }

    HWND Window() const noexcept { return window_; }
    std::wstring ControlText(int id) const;
    void SetControlText(int id, const std::wstring& text);
    // The control reads in that order, whatever the window's language.
    void SetReadingOrder(int id, ReadingOrder order);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);

    // The RunView side, shared by both windows.
    // A run reports a status for every file, thousands a second; the status line takes the
    // first at once and then the latest at a rate the screen and a reader can follow.
    void SetStatusText(const std::wstring& text);
    // The latest status, if not yet on the screen, put there now (before a message box, at the
    // end of a run).
    void ShowPendingStatus();
    LRESULT SendProgress(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool HandlePendingMessages();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    // The client area at that DPI: the design's, less the cut once the window is shown.
    SIZE ClientSizeAt(UINT dpi) const;

    DialogDesign design_;
    HMODULE resourceModule_;
    HWND window_ = nullptr;
    std::optional<std::wstring> pendingStatus_;   // reported, not yet shown
    bool statusPaced_ = false;                    // a status was shown within the interval
    bool shown_ = false;
    bool running_ = false;
    int exitCode_ = 0;
};

// A program's window as its run sees it: View is the run's interface (RunView or one derived
// from it), implemented here for everything all runs share.
template <class View>
class MainDialog : public View, protected DialogWindow {
public:
    using DialogWindow::Run;

    void SetStatus(const std::wstring& text) override { SetStatusText(text); }
    void SetProgressMax(int maximum) override { SendProgress(PBM_SETRANGE32, 0, maximum); }
    void SetProgressPosition(int position) override { SendProgress(PBM_SETPOS, position, 0); }
    void StepProgress(int delta) override { SendProgress(PBM_DELTAPOS, delta, 0); }
    void ShowMessage(const std::wstring& text) override {
        ShowPendingStatus();
        ShowMessageBox(Window(), text);
    }
    void ShowError(const std::wstring& text) override {
        ShowPendingStatus();
        MessageBoxW(Window(), text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
    }
    bool Ask(Question, const std::wstring& question) override {
        ShowPendingStatus();
        return AskConfirmation(Window(), question);
    }
    bool ProcessMessages() override { return HandlePendingMessages(); }
    HWND Owner() const override { return Window(); }

protected:
    using DialogWindow::DialogWindow;
};

}  // namespace orvelin
