#pragma once
// The installer's one window: what is about to be installed, the choices the user may change,
// and the progress of the install run behind its Install button. In a passive run it shows the
// command line's choices, runs at once and closes by itself.
#include <optional>

#include "foundation/Startup.h"
#include "installer/InstallView.h"
#include "installer/Installer.h"
#include "ui/MainDialog.h"

namespace orvelin {

class InstallerWindow final : public MainDialog<InstallView> {
public:
    // passive: the command line's answers, when nobody needs to watch.
    InstallerWindow(Startup& startup, Installer& installer, std::optional<UnattendedInstall> passive);

    // The window's design: its dialog, controls and sizes.
    static const DialogDesign& Design();

    void SelectDatabase(int index) override;

private:
    void OnCreate() override;
    void OnShow() override;
    void OnCommand(int id) override;
    void OnClosing() override;
    void Install();
    InstallChoices Choices() const;
    void ShowChoices(const InstallChoices& choices);

    Installer& installer_;
    std::optional<UnattendedAnswers> Answers() const;

    std::optional<UnattendedInstall> passive_;
};

}  // namespace orvelin
