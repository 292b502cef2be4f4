#include "installer/MainInstallForm.h"

#include <commctrl.h>

#include "installer/InstallRun.h"
#include "installer/resource.h"
#include "shared/Banner.h"
#include "shared/CommonHelpers.h"
#include "shared/GenUtil.h"
#include "shared/Globals.h"
#include "shared/MessageLoop.h"
#include "shared/TextUtil.h"
#include "shared/ToggleLanguage.h"
#include "shared/WindowPlacement.h"

namespace orvelin {

namespace {
constexpr int kDesignedWidth = 344;
constexpr int kDesignedHeight = 411;
// The maintenance panel (129 pixels) and 30 more are cut off when the window is shown.
constexpr int kHiddenAtShow = 129 + 30;
}  // namespace

TfmMainInstall::TfmMainInstall() : DialogRunView(IDC_STATUS, IDC_PROGRESS) {}

TfmMainInstall::~TfmMainInstall() {
    if (window_) DestroyWindow(window_);
}

int TfmMainInstall::Run() {
    window_ = CreateMainDialog(IDD_MAIN_INSTALL, &TfmMainInstall::DialogProc, this);
    if (!window_) RaiseLastOSError();
    try {
        FormShow();
    } catch (const std::exception& e) {
        // A setup folder whose catalogue cannot be read cannot be installed from.
        ShowErrorBox(window_, ErrorText(e));
        return 1;
    }
    ShowWindow(window_, SW_SHOW);
    return RunMessageLoop(window_);
}

void TfmMainInstall::FormCreate() {
    SetClientSize(window_, kDesignedWidth, kDesignedHeight);
    const HWND databases = GetDlgItem(window_, IDC_SELECT_DB);
    for (const wchar_t* item : kDatabaseChoices) SendMessageW(databases, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(databases, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(databases, kDatabaseChoices[0]);
    SendDlgItemMessageW(window_, IDC_PROGRESS, PBM_SETRANGE32, 0, 100);
    SendDlgItemMessageW(window_, IDC_PROGRESS, PBM_SETSTEP, 1, 0);
    CheckDlgButton(window_, IDC_ADD_SHORTCUT, BST_CHECKED);
}

void TfmMainInstall::FormShow() {
    state_.InstalledFileList.clear();
    state_.PlatForm64 = Is64BitWindows();
    ReduceHeight(window_, kHiddenAtShow);
    const auto shown = PrepareShow(state_, SetupIniFound(), SetupIni(), ExePath());
    if (!shown) return;
    SetDlgItemTextW(window_, IDC_GUID, shown->guidId.c_str());
    SetDlgItemTextW(window_, IDC_SHORTCUT_NAME, shown->shortcutName.c_str());
    SetDlgItemTextW(window_, IDC_DISPLAY_NAME, shown->displayName.c_str());
    CheckDlgButton(window_, IDC_ADD_SHORTCUT, shown->addShortcut ? BST_CHECKED : BST_UNCHECKED);
    ShowWindow(GetDlgItem(window_, IDC_SELECT_DB), shown->showDatabaseChoice ? SW_SHOW : SW_HIDE);
}

void TfmMainInstall::btnInstallClick() {
    // The run pumps messages between nodes: nothing may start a second run or close the
    // window under it meanwhile.
    running_ = true;
    EnableWindow(GetDlgItem(window_, IDC_INSTALL), FALSE);
    EnableWindow(GetDlgItem(window_, IDC_EXIT), FALSE);
    try {
        InstallRun(state_, *this, ExePath(), Folders().CommonDataDir).Execute();
    } catch (const std::exception& e) {
        ShowErrorBox(window_, ErrorText(e));
    }
    running_ = false;
    if (IsWindow(window_)) {
        EnableWindow(GetDlgItem(window_, IDC_INSTALL), TRUE);
        EnableWindow(GetDlgItem(window_, IDC_EXIT), TRUE);
    }
}

void TfmMainInstall::Button5Click() { CloseWindow(); }

void TfmMainInstall::CloseWindow() { PostMessageW(window_, WM_CLOSE, 0, 0); }

std::wstring TfmMainInstall::ControlText(int id) const {
    const HWND control = GetDlgItem(window_, id);
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    return text;
}

std::wstring TfmMainInstall::GuidId() const { return ControlText(IDC_GUID); }
std::wstring TfmMainInstall::DisplayName() const { return ControlText(IDC_DISPLAY_NAME); }
std::wstring TfmMainInstall::ShortcutName() const { return ControlText(IDC_SHORTCUT_NAME); }
bool TfmMainInstall::AddShortcut() const { return IsDlgButtonChecked(window_, IDC_ADD_SHORTCUT) == BST_CHECKED; }
bool TfmMainInstall::DatabaseChoiceShown() const { return IsWindowVisible(GetDlgItem(window_, IDC_SELECT_DB)); }
int TfmMainInstall::DatabaseIndex() const {
    return static_cast<int>(SendDlgItemMessageW(window_, IDC_SELECT_DB, CB_GETCURSEL, 0, 0));
}
void TfmMainInstall::SelectDatabase(int index) { SendDlgItemMessageW(window_, IDC_SELECT_DB, CB_SETCURSEL, index, 0); }

INT_PTR CALLBACK TfmMainInstall::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = DialogOwner<TfmMainInstall>(window, message, lParam);
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR TfmMainInstall::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Exceptions never leave the window procedure.
    try {
        switch (message) {
            case WM_INITDIALOG:
                FormCreate();
                return TRUE;
            case WM_DRAWITEM:
                if (wParam == IDC_BANNER) {
                    DrawBanner(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                    return TRUE;
                }
                return FALSE;
            case WM_COMMAND:
                if (running_) return TRUE;
                switch (LOWORD(wParam)) {
                    case IDC_INSTALL: btnInstallClick(); return TRUE;
                    case IDC_EXIT:
                    case IDCANCEL: Button5Click(); return TRUE;
                }
                return FALSE;
            case WM_CLOSE:
                if (!running_) DestroyWindow(window_);
                return TRUE;
            case WM_DESTROY:
                state_.InstalledFileList.clear();
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
