#include "ui/MainDialog.h"

#include <commctrl.h>

#include "platform/Error.h"
#include "ui/Banner.h"
#include "ui/MessageLoop.h"
#include "ui/WindowLayout.h"

namespace orvelin {

namespace {

constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusInterval = 50;   // milliseconds: twenty texts a second at most

}  // namespace

DialogWindow::DialogWindow(const DialogDesign& design, HMODULE resourceModule)
    : design_(design), resourceModule_(resourceModule) {}

DialogWindow::~DialogWindow() {
    if (window_) DestroyWindow(window_);
}

void DialogWindow::Create() {
    // The Arabic resource module may lack a design; the program's own is there.
    HINSTANCE source = resourceModule_ ? resourceModule_ : GetModuleHandleW(nullptr);
    if (!FindResourceW(source, MAKEINTRESOURCEW(design_.dialogId), RT_DIALOG)) source = GetModuleHandleW(nullptr);
    window_ = CreateDialogParamW(source, MAKEINTRESOURCEW(design_.dialogId), nullptr, &DialogWindow::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (!window_) RaiseLastOSError();
}

int DialogWindow::Run() {
    if (!Open()) return 1;
    RunMessageLoop(window_);
    return exitCode_;
}

bool DialogWindow::Open() {
    Create();
    try {
        shown_ = true;
        SetClientSize(window_, ClientSizeAt(WindowDpi(window_)));
        OnShow();
    } catch (const std::exception& e) {
        ShowErrorBox(window_, ErrorText(e));
        return false;
    }
    ShowWindow(window_, SW_SHOW);
    return true;
}

SIZE DialogWindow::ClientSizeAt(UINT dpi) const {
    const int height = design_.clientSize.cy - (shown_ ? design_.cutAtShow : 0);
    return {ScaleToDpi(design_.clientSize.cx, dpi), ScaleToDpi(height, dpi)};
}

bool DialogWindow::HoldInputWhile(std::initializer_list<int> controls, const std::function<void()>& run) {
    running_ = true;
    for (const int id : controls) EnableWindow(GetDlgItem(window_, id), FALSE);
    bool succeeded = true;
    try {
        run();
    } catch (const std::exception& e) {
        ShowErrorBox(window_, ErrorText(e));
        succeeded = false;
    }
    running_ = false;
    if (window_) {
        ShowPendingStatus();
        for (const int id : controls) EnableWindow(GetDlgItem(window_, id), TRUE);
    }
    return succeeded;
}

void DialogWindow::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::wstring DialogWindow::ControlText(int id) const {
    const HWND control = GetDlgItem(window_, id);
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    return text;
}

void DialogWindow::SetControlText(int id, const std::wstring& text) { SetDlgItemTextW(window_, id, text.c_str()); }

void DialogWindow::SetReadingOrder(int id, ReadingOrder order) { orvelin::SetReadingOrder(GetDlgItem(window_, id), order); }

bool DialogWindow::IsChecked(int id) const { return IsDlgButtonChecked(window_, id) == BST_CHECKED; }

void DialogWindow::SetChecked(int id, bool checked) { CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void DialogWindow::SetStatusText(const std::wstring& text) {
    pendingStatus_ = text;
    if (statusPaced_) return;   // the timer shows it
    ShowPendingStatus();
    // Whatever pumps the window's messages meanwhile (the run's, a message box's, a wait's)
    // also shows the latest status when the interval is over.
    statusPaced_ = SetTimer(window_, kStatusTimer, kStatusInterval, nullptr) != 0;
}

void DialogWindow::ShowPendingStatus() {
    if (!pendingStatus_) return;
    SetControlText(design_.statusId, *pendingStatus_);
    pendingStatus_.reset();
}

LRESULT DialogWindow::SendProgress(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageW(window_, design_.progressId, message, wParam, lParam);
}

bool DialogWindow::HandlePendingMessages() { return ProcessMessages(window_); }

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<DialogWindow*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR DialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Exceptions never leave the window procedure.
    try {
        switch (message) {
            case WM_INITDIALOG:
                SetClientSize(window_, ClientSizeAt(WindowDpi(window_)));
                SendProgress(PBM_SETRANGE32, 0, 100);
                SendProgress(PBM_SETSTEP, design_.progressStep, 0);
                OnCreate();
                if (!design_.firstFocusId) return TRUE;
                SetFocus(GetDlgItem(window_, design_.firstFocusId));
                return FALSE;
            case kGetDpiScaledSizeMessage: {
                // About to move to a monitor of another DPI: the size the design asks for there.
                const UINT dpi = static_cast<UINT>(wParam);
                *reinterpret_cast<SIZE*>(lParam) = WindowSizeForClient(window_, ClientSizeAt(dpi), dpi);
                SetWindowLongPtrW(window_, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            case kDpiChangedMessage: {
                // Moved: takes the place Windows suggests (the size asked for above); the
                // dialog manager then scales the font and the controls.
                const RECT& place = *reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
                             place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
                return FALSE;
            }
            case WM_TIMER:
                if (wParam != kStatusTimer) return FALSE;
                if (pendingStatus_) {
                    ShowPendingStatus();
                } else {
                    KillTimer(window_, kStatusTimer);
                    statusPaced_ = false;
                }
                return TRUE;
            case WM_DRAWITEM:
                if (static_cast<int>(wParam) != design_.bannerId) return FALSE;
                DrawBanner(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            case WM_COMMAND:
                if (!running_) OnCommand(LOWORD(wParam));
                return TRUE;
            case WM_CLOSE:
                if (running_) return TRUE;
                OnClosing();
                DestroyWindow(window_);
                return TRUE;
            case WM_DESTROY:
                PostQuitMessage(exitCode_);
                return TRUE;
            case WM_NCDESTROY:
                window_ = nullptr;
                return FALSE;
        }
    } catch (const std::exception& e) {
        ShowErrorBox(window_, ErrorText(e));
        return TRUE;
    }
    return FALSE;
}

}  // namespace orvelin
