#include "installer/InstallerWindow.h"

#include <commctrl.h>

#include "installer/resource.h"

namespace orvelin {

namespace {

constexpr DialogDesign kDesign{
    IDD_MAIN_INSTALL, IDC_BANNER, IDC_STATUS, IDC_PROGRESS, 1, 0,
    {344, 411},
    // The maintenance panel (129 pixels) and 30 more are cut off when the window is shown.
    129 + 30,
};

}  // namespace

InstallerWindow::InstallerWindow(Startup& startup)
    : MainDialog(kDesign, startup.Language().ResourceModule()),
      startup_(startup),
      context_{startup.Folders().CommonDataDir, {}, startup.Language().Translate()} {}

void InstallerWindow::OnCreate() {
    const HWND databases = GetDlgItem(Window(), IDC_SELECT_DB);
    for (const wchar_t* item : kDatabaseChoices) SendMessageW(databases, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(databases, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(databases, kDatabaseChoices[0]);
    SetChecked(IDC_ADD_SHORTCUT, true);
}

void InstallerWindow::OnShow() {
    context_.windows = WindowsPlatform::Detect();
    if (!startup_.Setup().Found()) return;
    package_.Load(startup_.Folders().ExePath, startup_.Setup().File());
    const SetupSettings& settings = package_.settings;
    SetControlText(IDC_GUID, settings.guid);
    SetControlText(IDC_SHORTCUT_NAME, settings.shortcutName);
    SetControlText(IDC_DISPLAY_NAME, settings.displayName);
    SetChecked(IDC_ADD_SHORTCUT, settings.addDesktopShortcut);
    ShowWindow(GetDlgItem(Window(), IDC_SELECT_DB), settings.offersDatabaseServer ? SW_SHOW : SW_HIDE);
}

void InstallerWindow::OnCommand(int id) {
    switch (id) {
        case IDC_INSTALL: Install(); break;
        case IDC_EXIT:
        case IDCANCEL: Close(); break;
    }
}

void InstallerWindow::Install() {
    HoldInputWhile({IDC_INSTALL, IDC_EXIT}, [this] {
        if (InstallRun(package_, installed_, *this, context_).Execute(Choices()) == InstallRun::Outcome::Installed)
            Close();
    });
}

InstallChoices InstallerWindow::Choices() const {
    InstallChoices choices;
    choices.shortcutName = ControlText(IDC_SHORTCUT_NAME);
    choices.addDesktopShortcut = IsChecked(IDC_ADD_SHORTCUT);
    if (IsWindowVisible(GetDlgItem(Window(), IDC_SELECT_DB)))
        choices.database = static_cast<int>(SendDlgItemMessageW(Window(), IDC_SELECT_DB, CB_GETCURSEL, 0, 0));
    return choices;
}

void InstallerWindow::SelectDatabase(int index) {
    SendDlgItemMessageW(Window(), IDC_SELECT_DB, CB_SETCURSEL, index, 0);
}

}  // namespace orvelin
