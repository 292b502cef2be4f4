#include "uninstaller/UninstallerWindow.h"

#include <optional>

#include "ui/LoggedView.h"
#include "uninstaller/resource.h"

namespace orvelin {

namespace {

constexpr DialogDesign kDesign{
    IDD_UNINSTALL_MAIN, IDC_BANNER, IDC_STATUS, IDC_PROGRESS, 10, IDC_REMOVE,
    {325, 269},
    // Cuts off the row of maintenance buttons below the frame.
    30,
};

}  // namespace

const DialogDesign& UninstallerWindow::Design() { return kDesign; }

UninstallerWindow::UninstallerWindow(Startup& startup, Uninstaller& uninstaller, bool passive, bool keepFiles)
    : MainDialog(kDesign, startup.Language().ResourceModule()),
      uninstaller_(uninstaller),
      passive_(passive),
      keepFiles_(keepFiles) {
    SetExitCode(uninstaller_.Outcome());
}

void UninstallerWindow::OnCreate() {
    SetChecked(IDC_REMOVE, true);
    SetReadingOrder(IDC_GUID, ReadingOrder::LeftToRight);
}

void UninstallerWindow::OnShow() {
    if (!uninstaller_.Load()) return;
    const UninstallSettings& settings = uninstaller_.Settings();
    SetControlText(IDC_GUID, settings.guid);
    SetChecked(IDC_REMOVE, settings.removeFiles && !keepFiles_);
    // An Arabic name reads right to left, a Latin one left to right, in either language.
    SetReadingOrder(IDC_DISPLAY_NAME, ReadingOrderOf(settings.displayName));
    SetControlText(IDC_DISPLAY_NAME, settings.displayName);
    // Starts once the window is on the screen.
    if (passive_) PostMessageW(Window(), WM_COMMAND, IDC_START, 0);
}

void UninstallerWindow::OnCommand(int id) {
    switch (id) {
        case IDC_START: Uninstall(); break;
        case IDCANCEL: Close(); break;
    }
}

void UninstallerWindow::Uninstall() {
    HoldInputWhile({IDC_START}, [this] {
        std::optional<UnattendedAnswers> answers;
        if (passive_) answers = UnattendedAnswers{};
        LoggedView<RunView> view(this, uninstaller_.Log(), answers);
        const Uninstaller::Result result = uninstaller_.Uninstall(view, IsChecked(IDC_REMOVE));
        SetExitCode(uninstaller_.Outcome());
        if (result == Uninstaller::Result::Uninstalled || passive_) Close();
    });
}

}  // namespace orvelin
