#include "uninstaller/UninstallerWindow.h"

#include "uninstaller/UninstallRun.h"
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

UninstallerWindow::UninstallerWindow(Startup& startup)
    : MainDialog(kDesign, startup.Language().ResourceModule()), startup_(startup) {}

void UninstallerWindow::OnCreate() { SetChecked(IDC_REMOVE, true); }

void UninstallerWindow::OnShow() {
    if (!startup_.Setup().Found()) return;
    settings_ = ReadUninstallSettings(startup_.Setup().File());
    SetControlText(IDC_GUID, settings_.guid);
    SetChecked(IDC_REMOVE, settings_.removeFiles);
    SetControlText(IDC_DISPLAY_NAME, settings_.displayName);
}

void UninstallerWindow::OnCommand(int id) {
    switch (id) {
        case IDC_START: Uninstall(); break;
        case IDCANCEL: Close(); break;
    }
}

void UninstallerWindow::Uninstall() {
    HoldInputWhile({IDC_START}, [this] {
        if (UninstallRun(settings_, heldMutexes_, *this).Execute(IsChecked(IDC_REMOVE)) ==
            UninstallRun::Outcome::Uninstalled)
            Close();
    });
}

}  // namespace orvelin
