#pragma once
// Every change an install makes to the machine goes through here: folders made, files copied
// or written, shortcuts saved, registry keys and values set. Each one is entered in the journal
// before it is made, so that it can be undone, and written to the run's log once it is made.
// One owner per installer: the changes of every press of Install add up until they are
// committed (the install is complete) or undone (the user gives up).
#include <objidl.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "installer/InstallJournal.h"
#include "platform/Registry.h"
#include "ui/RunView.h"

namespace orvelin {

class InstallChanges {
public:
    // journalFolder: the uninstall folder, where the journal is kept from the first change on.
    InstallChanges(std::wstring journalFolder, RunLog& log);

    RunLog& Log() noexcept { return log_; }
    // Changes were made that are neither committed nor undone.
    bool Pending() const noexcept { return journal_.has_value(); }

    // The folder and its missing parents. Throws "Cannot create the folder %s. %s".
    void CreateFolders(const std::wstring& folder);
    // The files the next copies will write, entered in the journal together: a folder's copies
    // cost the disk one flush of the journal rather than one each.
    void ExpectWrites(const std::vector<std::wstring>& files);
    // CopyFileW replacing what is there, which is saved aside first. Answers 0, or the system's
    // error code when the file could not be copied; nothing is lost then.
    DWORD CopyReplacing(const std::wstring& source, const std::wstring& destination);
    void WriteInstalledFileList(const std::wstring& path, const std::vector<std::wstring>& files);
    // Saves the shell link at the path. Throws "Cannot save the shortcut %s. %s".
    void SaveShortcut(IPersistFile& link, const std::wstring& path);
    // The key under HKEY_LOCAL_MACHINE, made when missing, and its values.
    RegistryKey CreateMachineKey(const std::wstring& path);
    void WriteString(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& value);
    void WriteDword(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name, DWORD value);

    // Everything made since the last commit, taken back.
    UndoReport Undo();
    // The install is complete: what was saved aside goes, the journal too.
    void Commit();

private:
    InstallJournal& Journal();
    // What writing the file changes: a file made, or the file there replaced (with the name it
    // is saved aside under); nothing for a folder of that name, which the write itself fails on.
    std::optional<JournalEntry> EntryForWriting(const std::wstring& file) const;
    // Before a file is written: entered as made, or the file there saved aside and entered as
    // replaced. Answers 0, or the error code of a file that could not be saved aside.
    DWORD BeforeWriting(const std::wstring& file);

    std::wstring journalFolder_;
    RunLog& log_;
    std::optional<InstallJournal> journal_;
    std::set<std::wstring> made_;   // files written since the last commit, in upper case
    std::map<std::wstring, JournalEntry> expected_;   // entered, not yet written; in upper case
};

// The notice of a failed copy: the two texts separated by a line feed and a carriage return,
// in that order. Built only when a copy fails.
struct CopyFailureNotice {
    const std::wstring& first;
    const std::wstring& second;
    std::wstring Text() const { return first + L"\n\r" + second; }
};
// Copies; when it fails, shows the notice in a plain box, then throws "Error executing copyFile
// %s" with the system's message for the copy's error code.
void CopyOrFail(InstallChanges& changes, RunView& view, const std::wstring& source, const std::wstring& destination,
                const CopyFailureNotice& notice);

}  // namespace orvelin
