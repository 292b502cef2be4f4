// `catalog show` of the sample setup folder as the build assembles it: what its install does here
// and on Windows XP, in the words of the sample's description.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "catalog/CatalogCommand.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WindowsPlatform.h"

namespace orvelin::test {
namespace {

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// Where the program files of 64-bit programs lie: the 64-bit registry view says, on any Windows.
std::wstring NativeProgramFiles() {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                                       KEY_READ | KEY_WOW64_64KEY);
    return key ? key->ReadString(L"ProgramFilesDir").value_or(L"") : L"";
}

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(InstallShowTest, TheSampleInInstallOrderWithItsDestinationsHereAndOnXp) {
    // The test program lies in <build>\bin\.
    const std::wstring sample =
        ExtractFilePath(ExcludeTrailingBackslash(ExtractFilePath(ModuleFilePath()))) + L"sample-setup";
    ASSERT_TRUE(FileExists(sample + L"\\data\\tblFiles.xml")) << "the sample setup folder has not been built";

    const CommandResult result = RunCatalogCommand({L"show", sample});

    // On XP the 32-bit program files are the shell's program files; Windows files go to the
    // native program files.
    const std::wstring application = L"\\ORVELIN\\OrvelinDemo\\";
    std::wstring expected = LR"(Orvelin Demo 1.0 (OrvelinDemo.exe), GUID {5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}
destinations here (Windows <version>) and on Windows XP; database server FIREBIRD

application Orvelin Demo: application files
  location PROGRAM: Program Files (x86)
    folder BIN
      here: <x86>BIN
      XP:   <xp>BIN
      file OrvelinDemo.cfg
      file OrvelinDemo.exe
    folder DOC
      here: <x86>DOC
      XP:   <xp>DOC
      file License.txt
      file ReadMe.txt
  location DATA: ProgramData
    here: <data>DATA
    XP:   <data>DATA
    file Accounts.dat
    file Company.dat

application Orvelin common files: common files
  location COMMON: AppData
    here: <user>COMMON
    XP:   <user>COMMON
    file Preferences.ini

application Windows files: Windows files
  location SYSTEM: Program Files
    here: <native>SYSTEM
    XP:   <native>SYSTEM
    file OrvelinPrint.cfg

application Database server: database servers
  location FIREBIRD25: FIREBIRD, Vista and later
    folder BIN: copy
      here: <x86>BIN
      XP:   not installed
      file firebird.conf
    folder Setup: run
      here: offered to run, after a question
      XP:   not installed
      run FirebirdSetup.exe
  location FIREBIRD15: FIREBIRD, XP and earlier
    folder BIN: copy
      here: not installed
      XP:   <xp>BIN
      file firebird.conf
    folder Setup: run
      here: not installed
      XP:   offered to run, after a question
      run FirebirdSetup.exe

application Other vendors' programs: third-party programs
  location REPORTVIEWER: Vista and later
    folder Report Viewer: run
      here: offered to run, after a question
      XP:   not installed
      run ReportViewerSetup.exe
)";
    expected = Replaced(expected, L"\n", L"\r\n");
    expected = Replaced(expected, L"<version>", std::to_wstring(WindowsMajorVersion()));
    expected = Replaced(expected, L"<x86>", ShellFolder(CSIDL_PROGRAM_FILESX86) + application);
    expected = Replaced(expected, L"<xp>", ShellFolder(CSIDL_PROGRAM_FILES) + application);
    expected = Replaced(expected, L"<data>", ShellFolder(CSIDL_COMMON_APPDATA) + application);
    expected = Replaced(expected, L"<user>", ShellFolder(CSIDL_APPDATA) + application);
    expected = Replaced(expected, L"<native>", NativeProgramFiles() + application);
    EXPECT_EQ(result.exitCode, 0) << ToUtf8(result.errors);
    EXPECT_EQ(ToUtf8(result.output), ToUtf8(expected));
}

}  // namespace
}  // namespace orvelin::test
