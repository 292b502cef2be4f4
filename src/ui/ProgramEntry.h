#pragma once
// What either program's entry point does around its run: the command line, COM and the common
// controls, the shared start-up, the log, the end of a program started without its setup.ini,
// the one-at-a-time rule for a product, the exit code, and the report of an error that nothing
// else caught. Nothing is shown in a quiet run.
#include <functional>
#include <vector>

#include "foundation/RunLog.h"
#include "foundation/Startup.h"
#include "ui/CommandLine.h"
#include "ui/ExitCodes.h"

namespace orvelin {

struct ProgramDefinition {
    std::vector<OptionSpec> options;   // the program's own, besides /quiet, /passive, /log and /?
    // The program's work once all the above is in place; answers the exit code.
    std::function<ExitCode(Startup&, const CommandLine&, RunLog&)> run;
};

int RunProgram(const ProgramDefinition& program);

}  // namespace orvelin
