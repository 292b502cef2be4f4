#pragma once
// The installer's one window: what is about to be installed, the choices the user may change,
// and the progress of the install run behind its Install button.
#include "foundation/Startup.h"
#include "installer/InstallRun.h"
#include "installer/InstallView.h"
#include "installer/InstalledFiles.h"
#include "installer/SetupPackage.h"
#include "ui/MainDialog.h"

namespace orvelin {

class InstallerWindow final : public MainDialog<InstallView> {
public:
    explicit InstallerWindow(Startup& startup);

    void SelectDatabase(int index) override;

private:
    void OnCreate() override;
    void OnShow() override;
    void OnCommand(int id) override;
    void Install();
    InstallChoices Choices() const;

    Startup& startup_;
    InstallContext context_;
    SetupPackage package_;
    InstalledFiles installed_;   // kept from one press of Install to the next
};

}  // namespace orvelin
