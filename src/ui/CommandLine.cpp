#include "ui/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/Handles.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

std::vector<OptionSpec> CommonOptions() {
    return {
        {L"quiet", L"", {}, L"no window and no message: for deployment tools and scripts"},
        {L"passive", L"", {}, L"the window shows the progress, nothing waits for a person, it closes at the end"},
        {L"log", L"FILE", {}, L"writes the log to FILE (otherwise to the temporary folder)"},
    };
}

// The option's name in lower case, or nothing when the argument is no option.
std::optional<std::wstring> OptionName(const std::wstring& argument) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return std::nullopt;
    std::wstring name = argument.substr(1);
    for (auto& c : name) c = static_cast<wchar_t>(towlower(c));
    return name;
}

const OptionSpec* Find(const std::vector<OptionSpec>& options, const std::wstring& name) {
    for (const auto& option : options)
        if (option.name == name) return &option;
    return nullptr;
}

}  // namespace

std::optional<std::wstring> CommandLine::Value(const std::wstring& name) const {
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments, const std::vector<OptionSpec>& programOptions) {
    std::vector<OptionSpec> all = CommonOptions();
    all.insert(all.end(), programOptions.begin(), programOptions.end());
    CommandLine line;
    std::optional<RunMode> mode;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        const auto name = OptionName(argument);
        if (!name) throw UsageError(L"\"" + argument + L"\" is not an option.");
        if (*name == L"?") {
            line.help = true;
            continue;
        }
        const OptionSpec* option = Find(all, *name);
        if (!option) throw UsageError(L"Unknown option " + argument + L".");
        if (*name == L"quiet" || *name == L"passive") {
            const RunMode asked = *name == L"quiet" ? RunMode::Quiet : RunMode::Passive;
            if (mode && *mode != asked) throw UsageError(L"/quiet and /passive cannot be given together.");
            mode = asked;
            continue;
        }
        std::wstring value;
        if (!option->value.empty()) {
            if (i + 1 >= arguments.size() || OptionName(arguments[i + 1]))
                throw UsageError(L"Option /" + option->name + L" needs a value: " + option->value + L".");
            value = arguments[++i];
            if (!option->choices.empty()) {
                const std::wstring* match = nullptr;
                for (const auto& choice : option->choices)
                    if (EqualsIgnoreCase(choice, value)) match = &choice;
                if (!match) throw UsageError(L"\"" + value + L"\" is no value of /" + option->name + L".");
                value = *match;
            }
        }
        const bool given = *name == L"log" ? line.logFile.has_value() : line.Has(*name);
        if (given) throw UsageError(L"Option /" + option->name + L" is given twice.");
        if (*name == L"log")
            line.logFile = value;
        else
            line.options[*name] = value;
    }
    line.mode = mode.value_or(RunMode::Window);
    return line;
}

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    const UniqueLocalMemory arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> result;
    auto* const* values = static_cast<wchar_t* const*>(arguments.Get());
    for (int i = 1; values && i < count; ++i) result.emplace_back(values[i]);
    return result;
}

std::wstring UsageText(const std::wstring& programFile, const std::vector<OptionSpec>& programOptions) {
    std::wstring syntax = programFile + L" [/quiet | /passive] [/log FILE]";
    for (const auto& option : programOptions)
        syntax += L" [/" + option.name + (option.value.empty() ? L"" : L" " + option.value) + L"]";
    syntax += L" [/?]";
    std::wstring text = syntax + L"\r\n";
    std::vector<OptionSpec> all = CommonOptions();
    all.insert(all.end(), programOptions.begin(), programOptions.end());
    all.push_back({L"?", L"", {}, L"shows this help"});
    for (const auto& option : all)
        text += L"\r\n/" + option.name + (option.value.empty() ? L"" : L" " + option.value) + L"\t" + option.meaning;
    return text;
}

bool AsksForQuiet(const std::vector<std::wstring>& arguments) {
    for (const auto& argument : arguments)
        if (OptionName(argument) == L"quiet") return true;
    return false;
}

}  // namespace orvelin
