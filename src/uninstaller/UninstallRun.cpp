#include "uninstaller/UninstallRun.h"

#include <windows.h>

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/ExitCodes.h"
#include "uninstaller/FileRemoval.h"

namespace orvelin {

namespace {

constexpr int kStep = 10;
constexpr const wchar_t* kConfirmation =
    L"Application database files and documents will be deleted. If you want to keep them, exit this "
    L"application and have them saved then run this program";
constexpr const wchar_t* kRemovingFromControlPanel = L"Status: Removing from windows control panale";

// Without the record the list would be looked for at the root of the current drive, and
// whatever a file there lists would be deleted; and nothing done is no uninstall.
void CheckInstallationRecord(const std::wstring& guid, bool needsLocation, const std::wstring& location) {
    if (guid.empty())
        throw Error(L"The installation record of this application was not found: setup.ini gives no application "
                    L"GUID. Nothing was removed.");
    const std::wstring key = UninstallKeyPath(guid);
    if (!RegistryKeyExists(HKEY_LOCAL_MACHINE, key, KEY_READ))
        throw RunRefusal(Substitute(L"The installation record of this application was not found: the registry key "
                                    L"HKEY_LOCAL_MACHINE\\%s is missing. Nothing was removed.",
                                    {key}),
                         kNotInstalled);
    if (needsLocation && location.empty())
        throw Error(Substitute(L"The installation record of this application was not found: the registry key "
                               L"HKEY_LOCAL_MACHINE\\%s has no value \"InstallLocation\". Nothing was removed.",
                               {key}));
}

}  // namespace

std::wstring ReadInstallLocation(const std::wstring& guid) {
    if (guid.empty()) return {};
    // Full access and no view flag, as the installer, built alike, wrote it.
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_ALL_ACCESS);
    if (!key) return {};
    return key->ReadString(kInstallLocationValue).value_or(L"");
}

UninstallRun::UninstallRun(const UninstallSettings& settings, std::vector<UniqueHandle>& heldMutexes, RunView& view,
                           RunLog& log)
    : settings_(settings), heldMutexes_(heldMutexes), view_(view), log_(log) {}

UninstallRun::Outcome UninstallRun::Execute(bool removeFiles) {
    const std::wstring& guid = settings_.guid;
    trace_.uninstallFolder = ReadInstallLocation(guid);
    CheckInstallationRecord(guid, removeFiles, trace_.uninstallFolder);
    if (removeFiles) {
        if (!view_.Ask(Question::ConfirmUninstall, kConfirmation)) return Outcome::Cancelled;
        HoldApplicationMutex();
    }
    view_.StepProgress(kStep);

    if (removeFiles) {
        Step(L"Status: Deleting applicatioin files");
        DeleteInstalledFiles(trace_.uninstallFolder);
        // The application's data stays where it is; the confirmation only warned about it.
        Step(L"Status: Deleting database files");
    }

    Step(L"Status: Removing short custs");
    RemoveProgramShortcutFolder();

    view_.StepProgress(kStep);
    RemoveFile(trace_.desktopShortcut);

    Step(kRemovingFromControlPanel);
    RemoveKey(HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", UninstallKeyPath(guid));

    Step(kRemovingFromControlPanel);
    // An empty name would make it the company's key, shared with the other applications.
    if (!settings_.ApplicationName().empty())
        RemoveKey(HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", ProgramSettingsKeyPath(settings_.ApplicationName()));

    view_.StepProgress(kStep);
    view_.ShowMessage(L"Program was uninstalled");
    return Outcome::Uninstalled;
}

void UninstallRun::Step(const std::wstring& status) {
    view_.StepProgress(kStep);
    view_.SetStatus(status);
}

// A running application holds the mutex named by its GUID.
void UninstallRun::HoldApplicationMutex() {
    UniqueHandle mutex(CreateMutexW(nullptr, TRUE, settings_.guid.c_str()));
    const DWORD code = GetLastError();
    if (!mutex) RaiseLastOSError(code);
    heldMutexes_.push_back(std::move(mutex));
    if (code == ERROR_ALREADY_EXISTS)
        throw Error(L"The application is running. Quite the application before uninstalling");
}

void UninstallRun::RemoveKey(HKEY root, const wchar_t* rootName, const std::wstring& path) {
    if (!RegistryKeyExists(root, path, KEY_READ)) return;
    DeleteRegistryTree(root, path);
    const bool gone = !RegistryKeyExists(root, path, KEY_READ);
    log_.Write(std::wstring(gone ? L"Registry key removed: " : L"Registry key not removed: ") + rootName + L"\\" + path);
}

bool UninstallRun::RemoveFile(const std::wstring& file) { return DeleteFileIfExists(view_, log_, file); }

}  // namespace orvelin
