#pragma once
// A setup folder in a scratch folder, the package, choices and context the installer window
// would hand an install run, and a scripted window. Each test gets a GUID and an application
// name of its own, since other test programs share the machine, and the destructor removes what
// an install leaves outside the scratch folders: the Uninstall key, the application folders
// under the company folder, the program group and the desktop shortcut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/CatalogueWriter.h"
#include "installer/CopyEngine.h"
#include "installer/InstallRun.h"
#include "installer/SetupPackage.h"
#include "support/LogFile.h"
#include "support/ScriptedView.h"
#include "support/TempFolder.h"

namespace orvelin::test {

using Lines = std::vector<std::wstring>;

// Category source folders under the setup folder's FILES tree.
inline constexpr const wchar_t* kInstalledApplic = L"INSTALLED APPLIC";
inline constexpr const wchar_t* kCommonApplic = L"COMMON APPLIC";
inline constexpr const wchar_t* kWindowsFiles = L"WINDOWS";
inline constexpr const wchar_t* kDatabaseServers = L"DATABASE SERVERS";
inline constexpr const wchar_t* kThirdParty = L"THIRED PARTY APP";

// The two Windows generations the catalogue tells apart.
inline constexpr WindowsPlatform kWindows7{6, true};
inline constexpr WindowsPlatform kWindowsXp{5, true};

std::wstring NewGuidText();
// An application name no other test uses, in capitals, without extension.
std::wstring UniqueApplicationName();

// The folder a location kind puts files under, worked out from the shell and the registry
// directly: kind 1 the 32-bit program files, 2 the native one, 3 all users' data, 4 the
// user's data; each followed by "\ORVELIN\<name>\".
std::wstring ExpectedBaseFolder(int kind, const std::wstring& applicationName);
std::wstring NativeProgramFilesFolder();
std::wstring ShellFolder(int csidl);   // SHGetFolderPathW, no trailing backslash

// This program runs on 64-bit Windows, as a 64-bit program or under the 32-bit emulation.
bool OnA64BitWindows();

// Registry views below: 0 is this program's own, the one the installer writes without a flag.
bool RegistryKeyPresent(const std::wstring& path, REGSAM view);
// A value of the application's Uninstall key in the given registry view; empty when missing.
std::wstring UninstallValue(const std::wstring& guid, const std::wstring& name, REGSAM view);

class InstallerTest : public ::testing::Test {
protected:
    InstallerTest();
    ~InstallerTest() override;

    // Writes the catalogue into the setup folder and loads it into the package's tables.
    void LoadCatalogue();
    // setup folder\FILES\<category>\<relative>; PutSource creates it with its own path as text.
    std::wstring Source(const std::wstring& category, const std::wstring& relative) const;
    std::wstring PutSource(const std::wstring& category, const std::wstring& relative);
    std::wstring CategoryFolder(const std::wstring& category) const;
    std::wstring BaseFolder(int kind) const { return ExpectedBaseFolder(kind, application); }
    std::wstring UninstallFolder() const { return common.Path() + guid; }
    std::wstring ProgramGroupFolder() const;
    std::wstring DesktopLink() const;
    std::wstring GroupLink() const;
    // Moves the applications table to the record with this MAJOR_ID.
    void StandOnApplication(int majorId);
    // One press of Install with the current choices.
    InstallRun::Outcome Install();
    // The log's lines so far, without their times.
    Lines LogLines() const;
    // A copy engine of this setup for one run on the given Windows.
    CopyEngine Engine(const WindowsPlatform& windows);

    TempFolder setup;    // the setup folder: the installer's own folder
    TempFolder common;   // stands in for the installer's own all-users data folder
    const std::wstring guid = NewGuidText();
    const std::wstring application = UniqueApplicationName();
    const std::wstring exeName = application + L".EXE";
    CatalogueWriter catalogue;
    SetupPackage package;
    InstalledFiles installed;
    ScriptedView view;
    TempFolder logFolder;
    RunLog log{logFolder / L"run.log"};
    InstallChanges changes{UninstallFolder(), log};
    InstallContext context{common.Path(), WindowsPlatform::Detect(), Translator()};
    InstallChoices choices;
};

}  // namespace orvelin::test
