#pragma once
// The sample setup folder as the build assembles it (<build>\sample-setup), a copy of it for
// one test, and what an install of the sample puts where on this machine.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/ProductTexts.h"
#include "support/TempFolder.h"
#include "support/UiDriver.h"

namespace orvelin::test {

// The sample application's window.
inline constexpr const wchar_t* SampleApplicationCaption = L"Orvelin Demo";

// <build>\sample-setup\, with trailing backslash.
std::wstring BuiltSampleSetup();
// <build>\sample-description\setup.catalog: the description the sample's packets are built from.
std::wstring BuiltSampleDescription();
// The native program-files folder: on 64-bit Windows the 64-bit view says where it is.
std::wstring NativeProgramFiles();
// <build>\bin\<name>: a program of the build.
std::wstring BuiltProgram(const std::wstring& name);
// <build>\sample-dictionary\MsgFile.XML: the Arabic message dictionary.
std::wstring BuiltMessageDictionary();

// The built setup folder copied into a scratch folder, so that a test may change it.
class SampleSetupCopy {
public:
    SampleSetupCopy();
    // With trailing backslash.
    const std::wstring& Folder() const noexcept { return folder_; }
    std::wstring Installer() const { return folder_ + L"install.exe"; }
    std::wstring operator/(const std::wstring& relative) const { return folder_ + relative; }

private:
    TempFolder temp_;
    std::wstring folder_;
};

// A file that the install copies: where it comes from and where it goes.
struct InstalledFile {
    std::wstring source;        // relative to the setup folder
    std::wstring destination;   // full path
};

// Where an install of the sample lands on this machine, from setup.ini and the shell's folders.
struct SampleInstallation {
    SampleInstallation();

    std::wstring guid;
    std::wstring exeName;
    std::wstring displayName;
    std::wstring shortcutName;

    std::wstring programFolder;         // 32-bit program files \ ORVELIN \ OrvelinDemo
    std::wstring nativeProgramFolder;   // native program files \ ORVELIN \ OrvelinDemo
    std::wstring dataFolder;            // all-users application data \ ORVELIN \ OrvelinDemo
    std::wstring userDataFolder;        // the user's roaming application data \ ORVELIN \ OrvelinDemo
    std::wstring uninstallFolder;       // the installer's common data folder \ GUID
    std::wstring groupFolder;           // all-users Programs \ ORVELIN \ display name
    std::wstring groupShortcut;
    std::wstring desktopShortcut;
    std::wstring uninstallKey;          // under HKEY_LOCAL_MACHINE, in the programs' own view
    std::wstring userKey;               // under HKEY_CURRENT_USER

    // Every file the catalogue copies, in copy order.
    std::vector<InstalledFile> CopiedFiles() const;
    std::wstring MainExecutable() const { return programFolder + L"\\BIN\\" + exeName; }

    // Whatever an install, a failed one or a test left behind, gone.
    void RemoveAll() const;
};

// What an install of the sample leaves, whichever way it ran: every catalogue file copied byte
// for byte, the Uninstall key with every value, both shortcuts aimed at the main executable,
// and the uninstall folder with the uninstaller, setup.ini and the list.
void ExpectSampleInstalled(const SampleInstallation& installation, const SampleSetupCopy& setup);
// ... and what an uninstall of it leaves: none of the listed files, no shortcut, no key.
void ExpectSampleUninstalled(const SampleInstallation& installation, const std::vector<std::wstring>& listed);

// The installer's own Bin folder, where its message dictionary belongs.
std::wstring InstallerBinFolder();

// A shell link's target and working folder, read back through IShellLinkW.
struct ShortcutInfo {
    std::wstring target;
    std::wstring workingFolder;
};
ShortcutInfo ReadShortcut(const std::wstring& linkFile);

bool KeyExists(HKEY root, const std::wstring& path);
// REG_SZ values only; empty text (and a test failure) for anything else.
std::wstring ReadStringValue(HKEY root, const std::wstring& path, const std::wstring& name);
std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& path);
// A REG_DWORD value; empty when there is none of that type.
std::optional<DWORD> ReadDwordValue(HKEY root, const std::wstring& path, const std::wstring& name);
// Every file under the folder and its sub-folders.
std::vector<std::wstring> FilesUnder(const std::wstring& folder);
// The lines of a text file in the ANSI code page; false in `eachLineEnded` when a line lacks CR LF.
std::vector<std::wstring> ReadAnsiLines(const std::wstring& path, bool* eachLineEnded = nullptr);

// Wine's setting of the Windows version it reports, for one program name; Windows has none.
bool RunsUnderWine();
class ReportedWindowsVersion {
public:
    ReportedWindowsVersion(const std::wstring& programName, const std::wstring& version);
    ~ReportedWindowsVersion();
    ReportedWindowsVersion(const ReportedWindowsVersion&) = delete;
    ReportedWindowsVersion& operator=(const ReportedWindowsVersion&) = delete;

private:
    std::wstring key_;
};

// The next message box of the program; throws when none appears.
MessageBoxView NextMessage(const ChildProcess& program);
// The next message box must say `text`; it is answered with `button` either way.
void ExpectMessage(const ChildProcess& program, const std::wstring& text, int button = IDOK);

}  // namespace orvelin::test
