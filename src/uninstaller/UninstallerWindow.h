#pragma once
// The uninstaller's one window: which application will be removed, whether its files go too,
// and the progress of the uninstall run behind "Start UnInstall". In a passive run it starts at
// once and closes by itself.
#include "foundation/Startup.h"
#include "ui/MainDialog.h"
#include "uninstaller/Uninstaller.h"

namespace orvelin {

class UninstallerWindow final : public MainDialog<RunView> {
public:
    // passive: nobody needs to watch; keepFiles: /keepfiles was given.
    UninstallerWindow(Startup& startup, Uninstaller& uninstaller, bool passive, bool keepFiles);

    // The window's design: its dialog, controls and sizes.
    static const DialogDesign& Design();

private:
    void OnCreate() override;
    void OnShow() override;
    void OnCommand(int id) override;
    void Uninstall();

    Uninstaller& uninstaller_;
    bool passive_;
    bool keepFiles_;
};

}  // namespace orvelin
