#include "uninstaller/UninstallRun.h"

#include <windows.h>

#include <algorithm>
#include <set>

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/ExitCodes.h"
#include "uninstaller/FileRemoval.h"
#include "uninstaller/RemovalScope.h"

namespace orvelin {

namespace {

constexpr int kStep = 10;
constexpr const wchar_t* kConfirmation =
    L"Application database files and documents will be deleted. If you want to keep them, exit this "
    L"application and have them saved then run this program";
constexpr const wchar_t* kRemovingFromControlPanel = L"Status: Removing from windows control panale";

// The GUID names the key to delete, and the names the folders and the key: a name that
// escapes would take the uninstall outside the product.
void CheckSettings(const UninstallSettings& settings) {
    if (settings.guid.empty())
        throw Error(L"The installation record of this application was not found: setup.ini gives no application "
                    L"GUID. Nothing was removed.");
    CheckProductGuid(settings.guid);
    CheckApplicationExeName(settings.applicationExe);
    CheckPlainName(L"DisplayName", settings.displayName);
}

// Without the record the list would be looked for at the root of the current drive, and
// whatever a file there lists would be deleted; and nothing done is no uninstall.
void CheckInstallationRecord(const std::wstring& guid, bool needsLocation, const std::wstring& location) {
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
    CheckSettings(settings_);
    trace_.uninstallFolder = ReadInstallLocation(guid);
    CheckInstallationRecord(guid, removeFiles, trace_.uninstallFolder);
    RemovalScope scope = RemovalScope::Of(settings_, trace_.uninstallFolder);
    std::vector<std::wstring> listed;
    if (removeFiles) {
        listed = ReadRemovalList(trace_.uninstallFolder + L"\\" + kInstalledFileList);
        if (!view_.Ask(Question::ConfirmUninstall, kConfirmation)) return Outcome::Cancelled;
        HoldApplicationMutex();
    }
    view_.StepProgress(kStep);

    if (removeFiles) {
        Step(L"Status: Deleting applicatioin files");
        DeleteInstalledFiles(listed, scope);
        // The application's data stays where it is; the confirmation only warned about it.
        Step(L"Status: Deleting database files");
    }

    Step(L"Status: Removing short custs");
    RemoveProgramShortcutFolder(scope);

    view_.StepProgress(kStep);
    RemoveFile(trace_.desktopShortcut);
    CheckNothingLeft();

    // The Uninstall key is what a rerun starts from: it goes after the user's key, and only what
    // the uninstall folder keeps for the rerun comes after it.
    Step(kRemovingFromControlPanel);
    RemoveKey(HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", ProgramSettingsKeyPath(settings_.ApplicationName()));

    Step(kRemovingFromControlPanel);
    RemoveKey(HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", UninstallKeyPath(guid));
    if (removeFiles) RemoveRecordFiles();

    view_.StepProgress(kStep);
    if (!skipped_.empty()) {
        std::wstring names;
        for (const auto& path : skipped_) names += L"\r\n" + path;
        view_.ShowMessage(L"The list of installed files named these paths outside the product's folders, or reached "
                          L"through a link; they were left alone:" + names);
    }
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
    const std::wstring name = rootName + std::wstring(L"\\") + path;
    if (RegistryKeyExists(root, path, KEY_READ)) {
        log_.Write(L"Registry key not removed: " + name);
        throw Error(Substitute(L"The registry key %s could not be removed.", {name}));
    }
    log_.Write(L"Registry key removed: " + name);
}

void UninstallRun::RemoveFile(const std::wstring& file) {
    std::wstring reason;
    if (!file.empty() && !DeleteFileIfExists(log_, file, reason)) notDeleted_.push_back(file + L" (" + reason + L")");
}

void UninstallRun::CheckNothingLeft() const {
    if (notDeleted_.empty()) return;
    std::wstring names;
    for (const auto& file : notDeleted_) names += L"\r\n" + file;
    throw Error(L"These installed files could not be deleted, so the program stays installed. Close what uses them, "
                L"then run the uninstall again:" + names);
}

void UninstallRun::DeleteInstalledFiles(const std::vector<std::wstring>& listed, RemovalScope& scope) {
    std::vector<std::wstring> emptied;   // folders of deleted files, below a base folder
    // Last line first: the shortcuts, then the copied files.
    for (auto line = listed.rbegin(); line != listed.rend(); ++line) {
        switch (scope.Classify(*line)) {
            case RemovalScope::Place::Outside:
                skipped_.push_back(*line);
                log_.Write(L"Left alone, outside the product: " + *line);
                continue;
            case RemovalScope::Place::UninstallFolder: recordFiles_.push_back(*line); continue;
            case RemovalScope::Place::ProgramGroup:
                if (UpperAscii(*line).ends_with(kShortcutExtension)) trace_.programShortcut = *line;
                break;
            case RemovalScope::Place::Desktop: trace_.desktopShortcut = *line; break;
            case RemovalScope::Place::Application: emptied.push_back(*line); break;
        }
        RemoveFile(*line);
    }
    RemoveEmptiedFolders(emptied, scope);
}

// Only empty folders go: what the application made while in use stays with its folder.
void UninstallRun::RemoveEmptiedFolders(const std::vector<std::wstring>& files, RemovalScope& scope) {
    const std::vector<std::wstring>& bases = scope.Roots().application;
    // Files share few folders: each folder is climbed from once.
    std::set<std::wstring> parents;
    for (const auto& file : files) parents.insert(ExcludeTrailingBackslash(ExtractFilePath(file)));
    std::vector<std::wstring> prefixes;
    for (const auto& base : bases) prefixes.push_back(UpperAscii(base) + L"\\");
    std::set<std::wstring> below;
    for (const auto& parent : parents) {
        for (const auto& prefix : prefixes) {
            for (std::wstring folder = parent; folder.size() > prefix.size() && UpperAscii(folder).starts_with(prefix);
                 folder = ExcludeTrailingBackslash(ExtractFilePath(folder)))
                if (!below.insert(folder).second) break;   // climbed from there already
        }
    }
    std::vector<std::wstring> folders(below.begin(), below.end());
    // Deepest first, then the base folders themselves.
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::wstring& a, const std::wstring& b) { return a.size() > b.size(); });
    folders.insert(folders.end(), bases.begin(), bases.end());
    for (const auto& folder : folders)
        if (scope.IsPlainFolder(folder) && RemoveDirectoryW(folder.c_str())) log_.Write(L"Folder removed: " + folder);
}

void UninstallRun::RemoveRecordFiles() {
    for (auto file = recordFiles_.rbegin(); file != recordFiles_.rend(); ++file) RemoveFile(*file);
    RemoveFile(trace_.uninstallFolder + L"\\" + kInstalledFileList);
    CheckNothingLeft();
}

// The programs menu's folder holds only this product's shortcuts; its parent, the company's
// group, is shared with other applications and stays. Swept only when the list named the
// shortcut the installer made there.
void UninstallRun::RemoveProgramShortcutFolder(const RemovalScope& scope) {
    if (trace_.programShortcut.empty()) return;
    const std::wstring folder = scope.Roots().programGroup + L"\\";
    std::vector<std::wstring> files;
    ForEachEntry(folder, L"*.*", [&](const WIN32_FIND_DATAW& entry) {
        if (!IsFolder(entry)) files.push_back(folder + entry.cFileName);
    });
    for (const auto& file : files) RemoveFile(file);
    if (RemoveDirectoryW(scope.Roots().programGroup.c_str())) log_.Write(L"Folder removed: " + folder);
}

}  // namespace orvelin
