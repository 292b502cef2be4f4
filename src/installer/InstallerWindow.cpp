#include "installer/InstallerWindow.h"

#include <commctrl.h>

#include "installer/resource.h"

namespace orvelin {

namespace {

constexpr DialogDesign kDesign{
    IDD_MAIN_INSTALL, IDC_BANNER, IDC_STATUS, IDC_PROGRESS, 1, 0,
    {344, 411},
    // The maintenance panel (129 pixels) and 30 more are cut off when the window is shown,
    // leaving the upper 344 x 252.
    129 + 30,
};

}  // namespace

const DialogDesign& InstallerWindow::Design() { return kDesign; }

InstallerWindow::InstallerWindow(Startup& startup, Installer& installer, std::optional<UnattendedInstall> passive)
    : MainDialog(kDesign, startup.Language().ResourceModule()), installer_(installer), passive_(std::move(passive)) {
    SetExitCode(installer_.Outcome());
}

void InstallerWindow::OnCreate() {
    const HWND databases = GetDlgItem(Window(), IDC_SELECT_DB);
    for (const wchar_t* item : kDatabaseChoices) SendMessageW(databases, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(databases, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(databases, kDatabaseChoices[0]);
    SetChecked(IDC_ADD_SHORTCUT, true);
    SetReadingOrder(IDC_GUID, ReadingOrder::LeftToRight);
}

std::optional<UnattendedAnswers> InstallerWindow::Answers() const {
    if (!passive_) return std::nullopt;
    return UnattendedAnswers{passive_->runSetupPrograms};
}

void InstallerWindow::OnShow() {
    LoggedInstallView view(this, installer_.Log(), Answers());
    if (!installer_.Load(view)) return;
    const SetupSettings& settings = installer_.Package().settings;
    SetControlText(IDC_GUID, settings.guid);
    SetControlText(IDC_SHORTCUT_NAME, settings.shortcutName);
    // An Arabic name reads right to left, a Latin one left to right, in either language.
    SetReadingOrder(IDC_DISPLAY_NAME, ReadingOrderOf(settings.displayName));
    SetControlText(IDC_DISPLAY_NAME, settings.displayName);
    SetChecked(IDC_ADD_SHORTCUT, settings.addDesktopShortcut);
    ShowWindow(GetDlgItem(Window(), IDC_SELECT_DB), settings.offersDatabaseServer ? SW_SHOW : SW_HIDE);
    if (!passive_) return;
    ShowChoices(UnattendedChoices(settings, *passive_));
    // Starts once the window is on the screen.
    PostMessageW(Window(), WM_COMMAND, IDC_INSTALL, 0);
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
        LoggedInstallView view(this, installer_.Log(), Answers());
        const Installer::Result result = installer_.Install(view, Choices(), passive_.has_value());
        SetExitCode(installer_.Outcome());
        if (result == Installer::Result::Installed || passive_) Close();
    });
}

// Giving up after a failed run takes its changes back.
void InstallerWindow::OnClosing() {
    LoggedInstallView view(this, installer_.Log(), Answers());
    installer_.GiveUp(view);
}

InstallChoices InstallerWindow::Choices() const {
    InstallChoices choices;
    choices.shortcutName = ControlText(IDC_SHORTCUT_NAME);
    choices.addDesktopShortcut = IsChecked(IDC_ADD_SHORTCUT);
    if (IsWindowVisible(GetDlgItem(Window(), IDC_SELECT_DB)))
        choices.database = static_cast<int>(SendDlgItemMessageW(Window(), IDC_SELECT_DB, CB_GETCURSEL, 0, 0));
    return choices;
}

void InstallerWindow::ShowChoices(const InstallChoices& choices) {
    SetControlText(IDC_SHORTCUT_NAME, choices.shortcutName);
    SetChecked(IDC_ADD_SHORTCUT, choices.addDesktopShortcut);
    if (choices.database) SelectDatabase(*choices.database);
}

void InstallerWindow::SelectDatabase(int index) {
    SendDlgItemMessageW(Window(), IDC_SELECT_DB, CB_SETCURSEL, index, 0);
}

}  // namespace orvelin
