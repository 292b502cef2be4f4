#include "uninstaller/UnInstallMainForm.h"

#include <commctrl.h>

#include "shared/Banner.h"
#include "shared/Globals.h"
#include "shared/MessageLoop.h"
#include "shared/WindowPlacement.h"
#include "uninstaller/UninstallRun.h"
#include "uninstaller/resource.h"

namespace orvelin {

namespace {
constexpr int kDesignedWidth = 325;
constexpr int kDesignedHeight = 269;
// Cuts off the row of maintenance buttons below the frame.
constexpr int kHiddenAtShow = 30;
}  // namespace

TfmUninstallMain::TfmUninstallMain() : DialogRunView(IDC_STATUS, IDC_PROGRESS) {}

TfmUninstallMain::~TfmUninstallMain() {
    if (window_) DestroyWindow(window_);
}

int TfmUninstallMain::Run() {
    window_ = CreateMainDialog(IDD_UNINSTALL_MAIN, &TfmUninstallMain::DialogProc, this);
    if (!window_) RaiseLastOSError();
    FormShow();
    ShowWindow(window_, SW_SHOW);
    return RunMessageLoop(window_);
}

void TfmUninstallMain::FormCreate() {
    SetClientSize(window_, kDesignedWidth, kDesignedHeight);
    SendDlgItemMessageW(window_, IDC_PROGRESS, PBM_SETRANGE32, 0, 100);
    SendDlgItemMessageW(window_, IDC_PROGRESS, PBM_SETSTEP, 10, 0);
    CheckDlgButton(window_, IDC_REMOVE, BST_CHECKED);
}

void TfmUninstallMain::FormShow() {
    ReduceHeight(window_, kHiddenAtShow);
    const auto shown = PrepareUninstallShow(state_, SetupIniFound(), SetupIni());
    if (!shown) return;
    SetDlgItemTextW(window_, IDC_GUID, shown->guidId.c_str());
    CheckDlgButton(window_, IDC_REMOVE, shown->removeFiles ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(window_, IDC_DISPLAY_NAME, shown->displayName.c_str());
}

void TfmUninstallMain::Button1Click() {
    running_ = true;
    EnableWindow(GetDlgItem(window_, IDC_START), FALSE);
    try {
        UninstallRun(state_, *this).Execute();
    } catch (const std::exception& e) {
        ShowErrorBox(window_, ErrorText(e));
    }
    running_ = false;
    if (IsWindow(window_)) EnableWindow(GetDlgItem(window_, IDC_START), TRUE);
}

void TfmUninstallMain::CloseWindow() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::wstring TfmUninstallMain::GuidId() const {
    const HWND control = GetDlgItem(window_, IDC_GUID);
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    return text;
}

bool TfmUninstallMain::RemoveFiles() const { return IsDlgButtonChecked(window_, IDC_REMOVE) == BST_CHECKED; }

INT_PTR CALLBACK TfmUninstallMain::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = DialogOwner<TfmUninstallMain>(window, message, lParam);
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR TfmUninstallMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Exceptions never leave the window procedure.
    try {
        switch (message) {
            case WM_INITDIALOG:
                FormCreate();
                SetFocus(GetDlgItem(window_, IDC_REMOVE));
                return FALSE;   // the check box has the focus
            case WM_DRAWITEM:
                if (wParam == IDC_BANNER) {
                    DrawBanner(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                    return TRUE;
                }
                return FALSE;
            case WM_COMMAND:
                if (running_) return TRUE;
                switch (LOWORD(wParam)) {
                    case IDC_START: Button1Click(); return TRUE;
                    case IDCANCEL: CloseWindow(); return TRUE;
                }
                return FALSE;
            case WM_CLOSE:
                if (!running_) DestroyWindow(window_);
                return TRUE;
            case WM_DESTROY:
                PostQuitMessage(0);
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
