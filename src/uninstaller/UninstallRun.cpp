#include "uninstaller/UninstallRun.h"

#include <windows.h>

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "uninstaller/FileRemoval.h"

namespace orvelin {

namespace {

constexpr int kStep = 10;
constexpr const wchar_t* kConfirmation =
    L"Application database files and documents will be deleted. If you want to keep them, exit this "
    L"application and have them saved then run this program";
constexpr const wchar_t* kRemovingFromControlPanel = L"Status: Removing from windows control panale";

// Without the record the list would be looked for at the root of the current drive, and
// whatever a file there lists would be deleted.
[[noreturn]] void RaiseRecordNotFound(const std::wstring& guid) {
    if (guid.empty())
        throw Error(L"The installation record of this application was not found: setup.ini gives no application "
                    L"GUID. Nothing was removed.");
    throw Error(Substitute(L"The installation record of this application was not found: the registry key "
                           L"HKEY_LOCAL_MACHINE\\%s or its value \"InstallLocation\" is missing. Nothing was removed.",
                           {UninstallKeyPath(guid)}));
}

}  // namespace

std::wstring ReadInstallLocation(const std::wstring& guid) {
    if (guid.empty()) return {};
    // Full access and no view flag, as the installer, built alike, wrote it.
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_ALL_ACCESS);
    if (!key) return {};
    return key->ReadString(kInstallLocationValue).value_or(L"");
}

UninstallRun::UninstallRun(const UninstallSettings& settings, std::vector<UniqueHandle>& heldMutexes, RunView& view)
    : settings_(settings), heldMutexes_(heldMutexes), view_(view) {}

UninstallRun::Outcome UninstallRun::Execute(bool removeFiles) {
    const std::wstring& guid = settings_.guid;
    if (removeFiles) {
        if (!view_.Ask(kConfirmation)) return Outcome::Cancelled;
        HoldApplicationMutex();
    }

    trace_.uninstallFolder = ReadInstallLocation(guid);
    if (removeFiles && trace_.uninstallFolder.empty()) RaiseRecordNotFound(guid);
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
    DeleteFileIfExists(view_, trace_.desktopShortcut);

    Step(kRemovingFromControlPanel);
    // An empty GUID would name the Uninstall key itself, the parent of every program's key.
    if (!guid.empty()) DeleteRegistryTree(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid));

    Step(kRemovingFromControlPanel);
    DeleteUserSettingsKey();

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
    // No name, no application to tell apart; the missing record stops the run right after.
    if (settings_.guid.empty()) return;
    UniqueHandle mutex(CreateMutexW(nullptr, TRUE, settings_.guid.c_str()));
    const DWORD code = GetLastError();
    if (!mutex) RaiseLastOSError(code);
    heldMutexes_.push_back(std::move(mutex));
    if (code == ERROR_ALREADY_EXISTS)
        throw Error(L"The application is running. Quite the application before uninstalling");
}

void UninstallRun::DeleteUserSettingsKey() {
    const std::wstring name = settings_.ApplicationName();
    // An empty name would make it the company's key, shared with the other applications.
    if (name.empty()) return;
    DeleteRegistryTree(HKEY_CURRENT_USER, ProgramSettingsKeyPath(name));
}

}  // namespace orvelin
