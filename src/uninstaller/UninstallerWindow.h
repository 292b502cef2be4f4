#pragma once
// The uninstaller's one window: which application will be removed, whether its files go too,
// and the progress of the uninstall run behind "Start UnInstall".
#include <vector>

#include "foundation/Startup.h"
#include "platform/Handles.h"
#include "ui/MainDialog.h"
#include "uninstaller/UninstallSettings.h"

namespace orvelin {

class UninstallerWindow final : public MainDialog<RunView> {
public:
    explicit UninstallerWindow(Startup& startup);

private:
    void OnCreate() override;
    void OnShow() override;
    void OnCommand(int id) override;
    void Uninstall();

    Startup& startup_;
    UninstallSettings settings_;
    std::vector<UniqueHandle> heldMutexes_;   // held until the program ends
};

}  // namespace orvelin
