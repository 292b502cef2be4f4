#pragma once
// The application environment: the program's folder and name, the per-program folders
// under the company folder "ORVELIN", the per-program registry key and the error log.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "shared/ErrorLog.h"
#include "shared/Handles.h"

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

// Start-up of the environment on construction, shut-down on destruction.
class AppEnvironment {
public:
    // exeFile: the running program's full path (another path only in tests).
    explicit AppEnvironment(const std::wstring& exeFile);
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

// True while the development environment's main window (class "TAppBuilder") exists.
bool IsDevelopmentMode();
// A shell folder by CSIDL number, without trailing backslash; empty when the shell fails.
std::wstring GetSpecialFolder(int csidl);
// The temporary folder, with trailing backslash. Throws when no candidate can be used.
std::wstring GetTempDirectory();
// The candidate walk behind it: the platform's folder, then the Windows folder's TEMP, then
// the TEMP and TMP folders at the root of the Windows folder's drive. The first that exists
// or can be created as a single folder wins.
std::wstring PickTempDirectory(const std::wstring& platformTemp, const std::function<std::wstring()>& windowsFolder);
// The Windows folder. Throws with the system's message when the platform gives nothing.
std::wstring GetWindowsFolder();
// The nearest ancestor of exePath (with trailing backslash) that holds baseName + ".res",
// testing the program's own folder too; empty when there is none.
std::optional<std::wstring> FindDevelopmentRoot(const std::wstring& exePath, const std::wstring& baseName);

// The running program's values, fixed by the shared start-up (see SharedFoundation).
const AppFolders& Folders();
inline const std::wstring& ExePath() { return Folders().ExePath; }
inline const std::wstring& ExeBaseName() { return Folders().ExeBaseName; }

}  // namespace orvelin
