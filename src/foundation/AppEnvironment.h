#pragma once
// The application environment: the program's folder and name, the per-program folders under
// the company folder, the per-program registry key and the error log. Set up once at start,
// read-only afterwards, shut down at the end.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "foundation/ErrorLog.h"
#include "platform/Handles.h"

namespace orvelin {

// Every folder value is a full path ending with a backslash (DevWorkDir is empty outside
// the development environment).
struct AppFolders {
    std::wstring ExePath;
    std::wstring ExeBaseName;
    std::wstring ProgramDir;
    std::wstring CommonDataDir;
    std::wstring UserDataDir;
    std::wstring TempDir;
    std::wstring DataDir;
    std::wstring ReportsDir;
    std::wstring TxtDir;
    std::wstring ErrorLogDir;
    std::wstring BinDir;
    std::wstring SetUpDir;
    std::wstring DocDir;
    std::wstring DevWorkDir;
};

// Whether the program runs inside the development environment; asked anew at every use.
using DevelopmentModeProbe = std::function<bool()>;
// The real probe: true while the development environment's main window (class "TAppBuilder")
// exists on the desktop.
bool DevelopmentEnvironmentRunning();

class AppEnvironment {
public:
    // exeFile: the running program's full path (another path only in tests).
    AppEnvironment(const std::wstring& exeFile, const DevelopmentModeProbe& developmentMode);
    ~AppEnvironment();
    AppEnvironment(const AppEnvironment&) = delete;
    AppEnvironment& operator=(const AppEnvironment&) = delete;

    const AppFolders& Folders() const noexcept { return folders_; }
    // HKEY_CURRENT_USER\Software\ORVELIN\<ExeBaseName>; null when it could not be opened.
    HKEY AppRegistry() const noexcept { return appRegistry_.Get(); }
    ErrorLog& Log() noexcept { return errorLog_; }

private:
    AppFolders folders_;
    UniqueRegKey appRegistry_;
    ErrorLog errorLog_;
};

// The nearest ancestor of exePath (with trailing backslash) that holds baseName + ".res",
// testing the program's own folder too; empty when there is none.
std::optional<std::wstring> FindDevelopmentRoot(const std::wstring& exePath, const std::wstring& baseName);

}  // namespace orvelin
