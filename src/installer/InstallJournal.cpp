#include "installer/InstallJournal.h"

#include <windows.h>

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace orvelin {

namespace {

constexpr wchar_t kSeparator = L'\t';

const wchar_t* KindName(JournalEntry::Kind kind) {
    switch (kind) {
        case JournalEntry::Kind::Folder: return L"folder";
        case JournalEntry::Kind::File: return L"file";
        case JournalEntry::Kind::Replaced: return L"replaced";
        case JournalEntry::Kind::Key: return L"key";
        case JournalEntry::Kind::Complete: return L"complete";
    }
    return L"";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != FALSE;
}

}  // namespace

std::wstring UndoReport::Describe() const {
    std::wstring text = std::to_wstring(filesRemoved) + L" files and " + std::to_wstring(foldersRemoved) +
                        L" folders it had made were removed, " + std::to_wstring(filesRestored) +
                        L" files it had replaced were restored";
    if (keysRemoved) text += L", and its registry entry was removed";
    text += L".";
    if (!notUndone.empty()) {
        text += L" These could not be undone:";
        for (const auto& item : notUndone) text += L"\r\n" + item;
    }
    return text;
}

InstallJournal::InstallJournal(const std::wstring& folder)
    : path_(IncludeTrailingBackslash(folder) + kInstallJournal),
      file_(path_, FILE_SHARE_READ, FileWriter::Mode::AppendWrittenThrough) {}

void InstallJournal::Record(const JournalEntry& entry) { Record(std::vector<JournalEntry>{entry}); }

void InstallJournal::Record(const std::vector<JournalEntry>& entries) {
    std::wstring lines;
    for (const JournalEntry& entry : entries) {
        lines += KindName(entry.kind) + std::wstring(1, kSeparator) + entry.path;
        if (entry.kind == JournalEntry::Kind::Replaced) lines += kSeparator + entry.backup;
        lines += L"\r\n";
    }
    if (!lines.empty()) file_.Write(ToUtf8(lines));
}

std::vector<JournalEntry> InstallJournal::Read(const std::wstring& journalFile) {
    std::vector<JournalEntry> entries;
    const std::string bytes = ReadFileBytes(journalFile);
    // Only whole lines: the last one may have been cut short by a kill.
    const std::wstring text = FromUtf8(std::string_view(bytes).substr(0, bytes.rfind('\n') + 1));
    for (const auto& line : SplitLines(text)) {
        const size_t first = line.find(kSeparator);
        if (first == std::wstring::npos) continue;
        const std::wstring kind = line.substr(0, first);
        std::wstring path = line.substr(first + 1);
        std::wstring backup;
        if (kind == L"replaced") {
            const size_t second = path.find(kSeparator);
            if (second == std::wstring::npos) continue;
            backup = path.substr(second + 1);
            path.resize(second);
        }
        if (kind == L"folder") entries.push_back({JournalEntry::Kind::Folder, path, {}});
        if (kind == L"file") entries.push_back({JournalEntry::Kind::File, path, {}});
        if (kind == L"replaced") entries.push_back({JournalEntry::Kind::Replaced, path, backup});
        if (kind == L"key") entries.push_back({JournalEntry::Kind::Key, path, {}});
        if (kind == L"complete") entries.push_back({JournalEntry::Kind::Complete, {}, {}});
    }
    return entries;
}

UndoReport UndoJournal(const std::wstring& journalFile, RunLog& log) {
    const std::vector<JournalEntry> entries = InstallJournal::Read(journalFile);
    const std::wstring journalFolder = ExcludeTrailingBackslash(ExtractFilePath(journalFile));
    // The folders that hold the journal can only go once it has.
    auto holdsJournal = [&](const std::wstring& folder) {
        const std::wstring path = ExcludeTrailingBackslash(folder);
        return EqualsIgnoreCase(path, journalFolder) ||
               (journalFolder.size() > path.size() && journalFolder[path.size()] == L'\\' &&
                EqualsIgnoreCase(journalFolder.substr(0, path.size()), path));
    };
    UndoReport report;
    auto removeFolder = [&](const std::wstring& path) {
        // A file of that name was there before: the folder was never made.
        if (!DirectoryExists(path)) return;
        if (RemoveDirectoryW(path.c_str())) {
            ++report.foldersRemoved;
            log.Write(L"Undone: folder removed: " + path);
        } else {
            report.notUndone.push_back(path);
        }
    };
    std::vector<std::wstring> journalFolders;   // deepest first
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const std::wstring& path = entry->path;
        switch (entry->kind) {
            case JournalEntry::Kind::File:
                if (!Exists(path)) break;
                if (RemoveFile(path)) {
                    ++report.filesRemoved;
                    log.Write(L"Undone: file removed: " + path);
                } else {
                    report.notUndone.push_back(path);
                }
                break;
            case JournalEntry::Kind::Replaced:
                // Without the copy the file there is still the one that was there before.
                if (!Exists(entry->backup)) break;
                if (Exists(path)) RemoveFile(path);
                if (MoveFileExW(entry->backup.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
                    ++report.filesRestored;
                    log.Write(L"Undone: file restored: " + path);
                } else {
                    report.notUndone.push_back(path);
                }
                break;
            case JournalEntry::Kind::Folder:
                if (holdsJournal(path))
                    journalFolders.push_back(path);
                else
                    removeFolder(path);
                break;
            case JournalEntry::Kind::Key:
                if (!RegistryKeyExists(HKEY_LOCAL_MACHINE, path, KEY_READ)) break;
                DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
                if (RegistryKeyExists(HKEY_LOCAL_MACHINE, path, KEY_READ)) {
                    report.notUndone.push_back(L"HKEY_LOCAL_MACHINE\\" + path);
                } else {
                    ++report.keysRemoved;
                    log.Write(L"Undone: registry key removed: HKEY_LOCAL_MACHINE\\" + path);
                }
                break;
            case JournalEntry::Kind::Complete: break;
        }
    }
    DeleteFileW(journalFile.c_str());
    for (const auto& folder : journalFolders) removeFolder(folder);
    return report;
}

void CommitJournal(const std::wstring& journalFile, RunLog& log) {
    for (const auto& entry : InstallJournal::Read(journalFile))
        if (entry.kind == JournalEntry::Kind::Replaced && Exists(entry.backup) && RemoveFile(entry.backup))
            log.Write(L"Replaced file's saved copy removed: " + entry.backup);
    DeleteFileW(journalFile.c_str());
}

std::optional<UndoReport> FinishEarlierInstall(const std::wstring& journalFolder, RunLog& log) {
    const std::wstring journal = IncludeTrailingBackslash(journalFolder) + kInstallJournal;
    if (!Exists(journal)) return std::nullopt;
    const std::vector<JournalEntry> entries = InstallJournal::Read(journal);
    if (!entries.empty() && entries.back().kind == JournalEntry::Kind::Complete) {
        log.Write(L"An earlier install had completed; its journal is cleared.");
        CommitJournal(journal, log);
        return std::nullopt;
    }
    log.Write(L"An earlier install did not finish; its changes are undone.");
    return UndoJournal(journal, log);
}

}  // namespace orvelin
