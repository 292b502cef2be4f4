#pragma once
// The install's write-ahead record of every change it makes to the machine, kept with the
// uninstall folder's files. Each entry is written through before its change is made, so that a
// failed, abandoned or killed install can be undone: created files and folders removed,
// replaced files restored from the copies saved aside, registry keys removed.
#include <optional>
#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "platform/FileSystem.h"

namespace orvelin {

inline constexpr wchar_t kInstallJournal[] = L"install.journal";

struct JournalEntry {
    enum class Kind {
        Folder,
        File,
        Replaced,
        Key,
        Complete,   // the install finished: what remains is to clear the saved copies
    };
    Kind kind;
    std::wstring path;     // a folder, a file, or a key under HKEY_LOCAL_MACHINE
    std::wstring backup;   // Replaced: where the file that was there is kept meanwhile
};

class InstallJournal {
public:
    // Opens folder\install.journal, continuing one that is there.
    explicit InstallJournal(const std::wstring& folder);
    const std::wstring& Path() const noexcept { return path_; }
    void Record(const JournalEntry& entry);
    // The entries in one write-through: a batch of changes costs the disk one flush.
    void Record(const std::vector<JournalEntry>& entries);

    // The entries of a journal file, in the order they were made. A last line cut short by a
    // kill is passed over.
    static std::vector<JournalEntry> Read(const std::wstring& journalFile);

private:
    std::wstring path_;
    FileWriter file_;
};

// What undoing a journal did.
struct UndoReport {
    int filesRemoved = 0;
    int filesRestored = 0;
    int foldersRemoved = 0;
    int keysRemoved = 0;
    std::vector<std::wstring> notUndone;   // what could not be removed or restored

    bool Nothing() const noexcept { return !filesRemoved && !filesRestored && !foldersRemoved && !keysRemoved; }
    std::wstring Describe() const;
};

// Undoes the journal's changes, last first, then removes the journal and the folders it lies in
// that the install made. Running it again after a kill finishes what is left.
UndoReport UndoJournal(const std::wstring& journalFile, RunLog& log);
// The install is complete: the copies saved aside go, then the journal.
void CommitJournal(const std::wstring& journalFile, RunLog& log);

// What a new start does with the journal an earlier run of the installer left in the folder:
// nothing when there is none; the commit finished when that run had completed; otherwise its
// changes undone, and what was undone answered.
std::optional<UndoReport> FinishEarlierInstall(const std::wstring& journalFolder, RunLog& log);

}  // namespace orvelin
