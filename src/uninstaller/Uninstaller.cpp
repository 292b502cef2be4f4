#include "uninstaller/Uninstaller.h"

#include "ui/LoggedView.h"
#include "ui/MessageBoxes.h"
#include "uninstaller/UninstallRun.h"
#include "uninstaller/UninstallerWindow.h"

namespace orvelin {

std::vector<OptionSpec> UninstallOptions() {
    return {{L"keepfiles", L"", {}, L"removes the product from Windows but leaves its installed files"}};
}

Uninstaller::Uninstaller(Startup& startup, RunLog& log) : startup_(startup), log_(log) {}

bool Uninstaller::Load() {
    if (!startup_.Setup().Found()) return false;
    settings_ = ReadUninstallSettings(startup_.Setup().File());
    return true;
}

Uninstaller::Result Uninstaller::Uninstall(RunView& view, bool removeFiles) {
    try {
        if (UninstallRun(settings_, heldMutexes_, view, log_).Execute(removeFiles) == UninstallRun::Outcome::Cancelled)
            return Result::Cancelled;
    } catch (const std::exception& e) {
        outcome_ = ExitCodeOf(e);
        view.ShowError(ErrorBoxText(ErrorText(e)));
        return Result::Failed;
    }
    outcome_ = kSucceeded;
    return Result::Uninstalled;
}

ExitCode RunUninstaller(Startup& startup, const CommandLine& line, RunLog& log) {
    Uninstaller uninstaller(startup, log);
    const bool keepFiles = line.Has(L"keepfiles");
    if (line.mode != RunMode::Quiet)
        return static_cast<ExitCode>(UninstallerWindow(startup, uninstaller, line.mode == RunMode::Passive, keepFiles).Run());
    uninstaller.Load();
    LoggedView<RunView> view(nullptr, log, UnattendedAnswers{});
    uninstaller.Uninstall(view, !keepFiles);
    return uninstaller.Outcome();
}

}  // namespace orvelin
