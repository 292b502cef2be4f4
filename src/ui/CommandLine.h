#pragma once
// The command line of both programs: a mode for deployment tools, a log file, and the
// program's own options. Options are case-insensitive and start with "/" or "-".
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace orvelin {

enum class RunMode {
    Window,    // a person clicks through the window
    Passive,   // the window shows progress; nothing waits for a person; it closes by itself
    Quiet,     // no window and no message box at all
};

struct OptionSpec {
    std::wstring name;                  // without the leading "/" or "-"
    std::wstring value;                 // how the usage names its value; empty: a switch
    std::vector<std::wstring> choices;  // the values allowed, letter case aside; empty: any
    std::wstring meaning;               // one line of the usage
};

struct CommandLine {
    RunMode mode = RunMode::Window;
    bool help = false;
    std::optional<std::wstring> logFile;
    // The program's own options given, by their name in lower case; a switch has an empty value.
    std::map<std::wstring, std::wstring> options;

    bool Has(const std::wstring& name) const { return options.count(name) > 0; }
    // The value as given, or as the choice it matched (in the choice's own spelling).
    std::optional<std::wstring> Value(const std::wstring& name) const;
};

// A command line the program does not understand: an unknown option, a missing or
// unexpected value, an option given twice, or two modes together.
class UsageError : public Error {
public:
    using Error::Error;
};

// arguments: without the program's own path. Throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments, const std::vector<OptionSpec>& programOptions);
// The arguments the program was started with, without its own path.
std::vector<std::wstring> ProgramArguments();
// The text "/?" shows: the syntax, then one line an option.
std::wstring UsageText(const std::wstring& programFile, const std::vector<OptionSpec>& programOptions);
// Whether the arguments ask for quiet, even when they hold a mistake: then nothing is shown.
bool AsksForQuiet(const std::vector<std::wstring>& arguments);

}  // namespace orvelin
