#include "installer/InstallChanges.h"

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/FolderSecurity.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

constexpr wchar_t kSavedAside[] = L".orvelin-saved";

std::wstring PathKey(const std::wstring& path) {
    std::wstring key = path;
    CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

}  // namespace

void CopyOrFail(InstallChanges& changes, RunView& view, const std::wstring& source, const std::wstring& destination,
                const CopyFailureNotice& notice) {
    const DWORD code = changes.CopyReplacing(source, destination);
    if (code == ERROR_SUCCESS) return;
    view.ShowMessage(notice.Text());
    throw Error(Substitute(L"Error executing copyFile %s", {SystemErrorMessage(code)}));
}

InstallChanges::InstallChanges(std::wstring journalFolder, RunLog& log)
    : journalFolder_(std::move(journalFolder)), log_(log) {}

InstallJournal& InstallChanges::Journal() {
    if (journal_) return *journal_;
    std::vector<std::wstring> created;
    if (!ForceDirectories(journalFolder_, &created))
        throw Error(Substitute(L"Cannot create the folder %s. %s", {journalFolder_, SystemErrorText(GetLastError())}));
    // What the elevated uninstaller will read from there (and the journal meanwhile) may be
    // changed by administrators only, whoever made the folder.
    ProtectFolderForAdministrators(journalFolder_);
    journal_.emplace(journalFolder_);
    for (const auto& folder : created) {
        journal_->Record({JournalEntry::Kind::Folder, folder, {}});
        log_.Write(L"Folder created: " + folder);
    }
    return *journal_;
}

void InstallChanges::CreateFolders(const std::wstring& folder) {
    std::vector<std::wstring> missing;
    for (std::wstring path = ExcludeTrailingBackslash(folder); !path.empty() && !DirectoryExists(path);) {
        missing.push_back(path);
        const std::wstring parent = ExcludeTrailingBackslash(ExtractFilePath(path));
        // A drive ("C:") or the root of the current drive ends the walk up.
        if (parent.empty() || parent == path || parent.back() == L':') break;
        path = parent;
    }
    for (auto path = missing.rbegin(); path != missing.rend(); ++path) {
        Journal().Record({JournalEntry::Kind::Folder, *path, {}});
        if (!CreateDirectoryW(path->c_str(), nullptr)) {
            const DWORD code = GetLastError();
            // A file of that name is no folder.
            if (!DirectoryExists(*path))
                throw Error(Substitute(L"Cannot create the folder %s. %s", {*path, SystemErrorText(code)}));
        }
        log_.Write(L"Folder created: " + *path);
    }
}

std::optional<JournalEntry> InstallChanges::EntryForWriting(const std::wstring& file) const {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return JournalEntry{JournalEntry::Kind::File, file, {}};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    std::wstring saved = file + kSavedAside;
    for (int n = 2; GetFileAttributesW(saved.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        saved = file + kSavedAside + std::to_wstring(n);
    return JournalEntry{JournalEntry::Kind::Replaced, file, saved};
}

void InstallChanges::ExpectWrites(const std::vector<std::wstring>& files) {
    std::vector<JournalEntry> entries;
    for (const auto& file : files) {
        std::wstring key = PathKey(file);
        if (made_.count(key) || expected_.count(key)) continue;
        if (std::optional<JournalEntry> entry = EntryForWriting(file)) {
            entries.push_back(*entry);
            expected_.emplace(std::move(key), std::move(*entry));
        }
    }
    if (!entries.empty()) Journal().Record(entries);
}

DWORD InstallChanges::BeforeWriting(const std::wstring& file) {
    std::wstring key = PathKey(file);
    if (made_.count(key)) return ERROR_SUCCESS;
    std::optional<JournalEntry> entry;
    if (const auto found = expected_.find(key); found != expected_.end()) {
        entry = std::move(found->second);
        expected_.erase(found);
    } else {
        entry = EntryForWriting(file);
        if (!entry) return ERROR_SUCCESS;
        Journal().Record(*entry);
    }
    if (entry->kind == JournalEntry::Kind::Replaced) {
        if (!MoveFileExW(file.c_str(), entry->backup.c_str(), 0)) return GetLastError();
        log_.Write(L"File saved aside: " + file + L" -> " + entry->backup);
    }
    made_.insert(std::move(key));
    return ERROR_SUCCESS;
}

DWORD InstallChanges::CopyReplacing(const std::wstring& source, const std::wstring& destination) {
    DWORD code = BeforeWriting(destination);
    if (code == ERROR_SUCCESS && !CopyFileW(source.c_str(), destination.c_str(), FALSE)) code = GetLastError();
    if (code == ERROR_SUCCESS)
        log_.Write(L"File copied: " + source + L" -> " + destination);
    else
        log_.Write(L"File not copied: " + source + L" -> " + destination + L": " + SystemErrorText(code));
    return code;
}

void InstallChanges::WriteInstalledFileList(const std::wstring& path, const std::vector<std::wstring>& files) {
    if (const DWORD code = BeforeWriting(path))
        throw Error(Substitute(L"Cannot create file \"%s\". %s", {path, SystemErrorText(code)}));
    orvelin::WriteInstalledFileList(path, files);
    log_.Write(L"File written: " + path);
}

void InstallChanges::SaveShortcut(IPersistFile& link, const std::wstring& path) {
    DWORD code = BeforeWriting(path);
    const HRESULT saved = code == ERROR_SUCCESS ? link.Save(path.c_str(), FALSE) : HRESULT_FROM_WIN32(code);
    // Some shells answer success for a name the file system refused.
    if (FAILED(saved) || !FileExists(path))
        throw Error(Substitute(L"Cannot save the shortcut %s. %s",
                               {path, SystemErrorText(FAILED(saved) ? static_cast<DWORD>(saved) : ERROR_INVALID_NAME)}));
    log_.Write(L"Shortcut saved: " + path);
}

RegistryKey InstallChanges::CreateMachineKey(const std::wstring& path) {
    if (!RegistryKeyExists(HKEY_LOCAL_MACHINE, path, KEY_READ)) Journal().Record({JournalEntry::Kind::Key, path, {}});
    // No view flag: a 32-bit installer writes, and its uninstaller reads, the 32-bit view.
    return RegistryKey::Create(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
}

void InstallChanges::WriteString(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name,
                                 const std::wstring& value) {
    key.WriteString(name, value);
    log_.Write(L"Registry value set: HKEY_LOCAL_MACHINE\\" + keyPath + L" " + name + L" = " + value);
}

void InstallChanges::WriteDword(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name,
                                DWORD value) {
    key.WriteDword(name, value);
    log_.Write(L"Registry value set: HKEY_LOCAL_MACHINE\\" + keyPath + L" " + name + L" = " + std::to_wstring(value));
}

UndoReport InstallChanges::Undo() {
    if (!journal_) return {};
    const std::wstring path = journal_->Path();
    journal_.reset();
    made_.clear();
    expected_.clear();
    return UndoJournal(path, log_);
}

void InstallChanges::Commit() {
    if (!journal_) return;
    // From here on a kill leaves a complete install, whose saved copies the next start clears.
    journal_->Record({JournalEntry::Kind::Complete, {}, {}});
    const std::wstring path = journal_->Path();
    journal_.reset();
    made_.clear();
    expected_.clear();
    CommitJournal(path, log_);
}

}  // namespace orvelin
