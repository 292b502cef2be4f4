#pragma once
// One start of install.exe: its setup package, what its runs have installed, and how each run
// ends, whether a person presses Install or the command line does.
#include <optional>
#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "foundation/Startup.h"
#include "installer/InstallChanges.h"
#include "installer/InstallRun.h"
#include "installer/InstallView.h"
#include "installer/InstalledFiles.h"
#include "installer/SetupPackage.h"
#include "ui/CommandLine.h"
#include "ui/ExitCodes.h"
#include "ui/LoggedView.h"

namespace orvelin {

// install.exe's own options: /db NAME, /desktop yes|no, /setups yes|no.
std::vector<OptionSpec> InstallOptions();

// What the command line answers in place of the person.
struct UnattendedInstall {
    std::optional<std::wstring> database;   // one of the database choice's server names
    std::optional<bool> desktopShortcut;    // instead of setup.ini's AddShortCut
    bool runSetupPrograms = true;

    static UnattendedInstall From(const CommandLine& line);
};

// The choices a run nobody watches makes: the command line's, else setup.ini's, and FIREBIRD
// when the setup offers a database server.
InstallChoices UnattendedChoices(const SetupSettings& settings, const UnattendedInstall& answers);

class LoggedInstallView final : public LoggedView<InstallView> {
public:
    using LoggedView::LoggedView;
    void SelectDatabase(int index) override {
        if (Window()) Window()->SelectDatabase(index);
    }
};

class Installer {
public:
    Installer(Startup& startup, RunLog& log);
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    // Reads setup.ini and the catalogue; false without setup.ini (in the development
    // environment), when nothing is read. A catalogue that cannot be loaded throws. An earlier
    // install of the product that was killed is undone first, and the view is told so.
    bool Load(RunView& view);
    const SetupPackage& Package() const noexcept { return package_; }
    RunLog& Log() noexcept { return log_; }

    enum class Result { Refused, Installed, Failed };
    // One run. Its error, if any, is shown through the view and decides the exit code. A run
    // nobody watches is given up at once when it fails; a person may press Install again.
    Result Install(InstallView& view, const InstallChoices& choices, bool unattended);
    // Takes back what the runs changed and did not complete, and tells the view what it undid.
    void GiveUp(RunView& view);
    // The exit code so far: cancelled until a run ends, then that run's.
    ExitCode Outcome() const noexcept { return outcome_; }

private:
    Startup& startup_;
    RunLog& log_;
    InstallContext context_;
    SetupPackage package_;
    InstalledFiles installed_;                  // kept from one run to the next
    std::optional<InstallChanges> changes_;     // likewise; made once the GUID is known
    ExitCode outcome_ = kCancelled;
};

// The whole of install.exe once its start-up is done: with its window, with a window nobody
// needs to watch, or with none.
ExitCode RunInstaller(Startup& startup, const CommandLine& line, RunLog& log);

}  // namespace orvelin
