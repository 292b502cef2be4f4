#include "uninstaller/UninstallRun.h"

#include <windows.h>

#include "shared/CommonHelpers.h"
#include "shared/Error.h"
#include "shared/Registry.h"
#include "shared/TextUtil.h"

namespace orvelin {

namespace {

constexpr int kStep = 10;
constexpr const wchar_t* kConfirmation =
    L"Application database files and documents will be deleted. If you want to keep them, exit this "
    L"application and have them saved then run this program";
constexpr const wchar_t* kRemovingFromControlPanel = L"Status: Removing from windows control panale";

std::wstring UninstallKeyOf(const std::wstring& guid) {
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + guid;
}

// Without the record the list would be looked for at the root of the current drive, and
// whatever a file there lists would be deleted.
[[noreturn]] void RaiseRecordNotFound(const std::wstring& guid) {
    if (guid.empty())
        throw Error(L"The installation record of this application was not found: setup.ini gives no application "
                    L"GUID. Nothing was removed.");
    throw Error(Substitute(L"The installation record of this application was not found: the registry key "
                           L"HKEY_LOCAL_MACHINE\\%s or its value \"InstallLocation\" is missing. Nothing was removed.",
                           {UninstallKeyOf(guid)}));
}

}  // namespace

UninstallRun::UninstallRun(UninstallerState& state, UninstallView& view) : state_(state), view_(view) {}

void UninstallRun::Execute() {
    const std::wstring guid = view_.GuidId();
    const bool removeFiles = view_.RemoveFiles();
    if (removeFiles) {
        if (!view_.Ask(kConfirmation)) return;
        HoldApplicationMutex(guid);
    }

    state_.UnInstallPath = ReadInstallLocation(guid);
    if (removeFiles && state_.UnInstallPath.empty()) RaiseRecordNotFound(guid);
    view_.StepProgress(kStep);

    if (removeFiles) {
        Step(L"Status: Deleting applicatioin files");
        DeleteInstalledFiles();
        // The application's data stays where it is; the confirmation only warned about it.
        Step(L"Status: Deleting database files");
    }

    Step(L"Status: Removing short custs");
    RemoveProgramShortcutFolder();

    view_.StepProgress(kStep);
    DeleteFileIfExists(view_, state_.DskTopShortCut);

    Step(kRemovingFromControlPanel);
    // An empty GUID would name the Uninstall key itself, the parent of every program's key.
    if (!guid.empty()) DeleteRegKeyIfExists(UninstallKeyOf(guid), HKEY_LOCAL_MACHINE);

    Step(kRemovingFromControlPanel);
    DeleteUserSettingsKey();

    view_.StepProgress(kStep);
    view_.ShowMessage(L"Program was uninstalled");
    view_.CloseWindow();
}

void UninstallRun::Step(const std::wstring& status) {
    view_.StepProgress(kStep);
    view_.SetStatus(status);
}

// A running application holds the mutex named by its GUID. Ours is never released before the
// program ends, so a second press in this window finds the name taken as well.
void UninstallRun::HoldApplicationMutex(const std::wstring& guid) {
    // No name, no application to tell apart; the missing record stops the run right after.
    if (guid.empty()) return;
    const HANDLE created = CreateMutexW(nullptr, TRUE, guid.c_str());
    const DWORD code = GetLastError();
    if (!created) RaiseLastOSError(code);
    state_.heldMutexes.emplace_back(created);
    if (code == ERROR_ALREADY_EXISTS)
        throw Error(L"The application is running. Quite the application before uninstalling");
}

void UninstallRun::DeleteUserSettingsKey() {
    const std::wstring baseName = ApplicationBaseName();
    // An empty part would name the company key, or Software itself.
    if (state_.CompName.empty() || baseName.empty()) return;
    DeleteRegKeyIfExists(L"Software\\" + state_.CompName + L"\\" + baseName, HKEY_CURRENT_USER);
}

std::wstring UninstallRun::ApplicationBaseName() const { return ChangeFileExt(state_.ApplicExeName, L""); }

std::wstring ReadInstallLocation(const std::wstring& guid) {
    if (guid.empty()) return {};
    // Full access and no view flag, as the installer, built alike, wrote it.
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallKeyOf(guid), KEY_ALL_ACCESS);
    if (!key) return {};
    return key->ReadString(L"InstallLocation").value_or(L"");
}

}  // namespace orvelin
