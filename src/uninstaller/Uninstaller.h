#pragma once
// One start of uninstall.exe: what its setup.ini names, the mutexes it holds, and how each run
// ends, whether a person presses "Start UnInstall" or the command line does.
#include <vector>

#include "foundation/RunLog.h"
#include "foundation/Startup.h"
#include "platform/Handles.h"
#include "ui/CommandLine.h"
#include "ui/ExitCodes.h"
#include "ui/RunView.h"
#include "uninstaller/UninstallSettings.h"

namespace orvelin {

// uninstall.exe's own option: /keepfiles.
std::vector<OptionSpec> UninstallOptions();

class Uninstaller {
public:
    Uninstaller(Startup& startup, RunLog& log);
    Uninstaller(const Uninstaller&) = delete;
    Uninstaller& operator=(const Uninstaller&) = delete;

    // Reads the uninstall folder's setup.ini; false without one (in the development environment).
    bool Load();
    const UninstallSettings& Settings() const noexcept { return settings_; }
    RunLog& Log() noexcept { return log_; }

    enum class Result { Cancelled, Uninstalled, Failed };
    // One run. Its error, if any, is shown through the view and decides the exit code.
    Result Uninstall(RunView& view, bool removeFiles);
    // The exit code so far: cancelled until a run ends, then that run's.
    ExitCode Outcome() const noexcept { return outcome_; }

private:
    Startup& startup_;
    RunLog& log_;
    UninstallSettings settings_;
    std::vector<UniqueHandle> heldMutexes_;   // held until the program ends
    ExitCode outcome_ = kCancelled;
};

// The whole of uninstall.exe once its start-up is done: with its window, with a window nobody
// needs to watch, or with none.
ExitCode RunUninstaller(Startup& startup, const CommandLine& line, RunLog& log);

}  // namespace orvelin
