#pragma once
// An installation in the form the installer leaves it, made by hand under names of its own
// (GUID, application, display name) in the places the installer uses, so that the test
// programs sharing the machine never meet. The destructor removes whatever the test left
// behind there; the company's shared folders and key stay.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/TextFile.h"
#include "support/TempFolder.h"
#include "uninstaller/UninstallSettings.h"

namespace orvelin::test {

// A fresh GUID in registry form, braces included.
std::wstring NewGuidText();

class InstalledRecord {
    TempFolder temp_;   // first: the folders below lie in it

public:
    InstalledRecord();
    ~InstalledRecord();
    InstalledRecord(const InstalledRecord&) = delete;
    InstalledRecord& operator=(const InstalledRecord&) = delete;

    const std::wstring guid;
    const std::wstring application;                // the main executable's base name
    const std::wstring displayName;                // names the programs-menu folder
    const std::wstring uninstallFolder;            // no trailing backslash, holds uninstall.exe
    const std::wstring programFolder;              // program files, company, application
    const std::wstring dataFolder;                 // common application data, company, application
    const std::wstring groupParent;                // the company's group in the programs menu
    const std::wstring groupFolder;                // holds the program shortcut
    const std::wstring desktopFolder;              // the all-users desktop, shared: names must be unique
    std::vector<std::wstring> listed;              // the installed-file list without Setup.ini

    // Creates the file (and its folder) and lists it; returns its path.
    std::wstring Install(const std::wstring& path);
    // The uninstall folder's files, the list with the Setup.ini line last, the Uninstall key and
    // the per-user key with a sub-key.
    void Save(TextEncoding encoding = TextEncoding::Ansi);

    std::wstring Scratch(const std::wstring& relative) const { return temp_ / relative; }
    std::wstring UninstallKey() const;
    std::wstring UserKey() const;
    std::wstring ListFile() const;
    std::wstring SetupIniCopy() const;
    std::wstring Uninstaller() const;
    // What the uninstaller's window reads from the folder's setup.ini.
    UninstallSettings Settings() const;
};

bool KeyExists(HKEY root, const std::wstring& path);
// Creates a file holding a few bytes, with its folder.
void MakeFile(const std::wstring& path);

}  // namespace orvelin::test
