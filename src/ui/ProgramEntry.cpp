#include "ui/ProgramEntry.h"

#include <commctrl.h>

#include <optional>

#include "contract/InstallContract.h"
#include "platform/DllSearch.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/WindowsPlatform.h"
#include "ui/MessageBoxes.h"
#include "ProductVersion.h"

namespace orvelin {

namespace {

// Tells the person at the screen, when there is one.
class Reporter {
public:
    explicit Reporter(bool quiet) : quiet_(quiet) {}
    void Message(const std::wstring& text) const {
        if (!quiet_) ShowMessageBox(nullptr, text);
    }
    void Error(const std::wstring& text) const {
        if (!quiet_) ShowErrorBox(nullptr, text);
    }

private:
    bool quiet_;
};

std::wstring WindowsDescription() {
    const OSVERSIONINFOW info = ReportedWindowsVersion();
    const bool is64Bit = sizeof(void*) == 8 || Is64BitWindows();
    return L"Windows " + std::to_wstring(info.dwMajorVersion) + L"." + std::to_wstring(info.dwMinorVersion) +
           L" build " + std::to_wstring(info.dwBuildNumber) + (is64Bit ? L", 64-bit" : L", 32-bit");
}

ExitCode Run(const ProgramDefinition& program, const CommandLine& line, const Reporter& report,
             std::optional<RunLog>& log) {
    Startup startup;
    const std::wstring guid = startup.Setup().Found() ? startup.Setup().File().ReadString(L"Install", L"GuidId") : L"";
    log.emplace(line.logFile ? *line.logFile
                             : DefaultLogPath(GetTempDirectory(), startup.Folders().ExeBaseName, guid));
    log->Write(ExtractFileName(ModuleFilePath()) + L" " + kProductVersionText + L" started: " + GetCommandLineW());
    log->Write(WindowsDescription());

    // Inside the development environment the window comes up without settings.
    if (!startup.Setup().Found() && !startup.DevelopmentMode()) {
        log->Write(L"Message: shutting down: setup.ini file was not found");
        report.Message(L"shutting down: setup.ini file was not found");
        return kFailed;
    }
    const UniqueHandle running(guid.empty() ? nullptr : CreateMutexW(nullptr, FALSE, SetupRunMutexName(guid).c_str()));
    if (running && GetLastError() == ERROR_ALREADY_EXISTS) {
        const std::wstring text = L"Another install or uninstall of this product is already running.";
        log->Write(L"Message: " + text);
        report.Message(text);
        return kAnotherRunActive;
    }
    return program.run(startup, line, *log);
}

// The window's common controls (its progress bar), version 6 as the manifest asks.
UniqueModule LoadCommonControls() {
    UniqueModule module = LoadSystemLibrary(L"comctl32.dll");
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(GetProcAddress(module.Get(), "InitCommonControlsEx")));
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    if (init) init(&controls);
    return module;
}

}  // namespace

int RunProgram(const ProgramDefinition& program) {
    const SystemDllSearch dllSearch;
    const std::vector<std::wstring> arguments = ProgramArguments();
    const std::wstring programFile = ExtractFileName(ModuleFilePath());
    CommandLine line;
    try {
        line = ParseCommandLine(arguments, program.options);
    } catch (const UsageError& e) {
        Reporter(AsksForQuiet(arguments)).Error(e.Text() + L"\r\n\r\n" + UsageText(programFile, program.options));
        return kBadCommandLine;
    }
    const Reporter report(line.mode == RunMode::Quiet);
    if (line.help) {
        report.Message(UsageText(programFile, program.options));
        return kSucceeded;
    }

    std::optional<RunLog> log;
    ExitCode code;
    try {
        const UniqueModule commonControls = LoadCommonControls();
        code = Run(program, line, report, log);
    } catch (const std::exception& e) {
        if (log) log->Write(L"Error: " + ErrorText(e));
        report.Error(ErrorText(e));
        code = ExitCodeOf(e);
    }
    if (log) log->Write(programFile + L" ended with exit code " + std::to_wstring(code));
    return code;
}

}  // namespace orvelin
