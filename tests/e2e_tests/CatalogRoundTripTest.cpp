// A setup folder's way from its description to a customer's PC and off it again, with the real
// programs: catalog.exe builds and checks it, install.exe and uninstall.exe run unattended. For
// the sample, and for a folder with every category, location kind and run code, on this Windows
// and on Windows XP.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "SampleProduct.h"
#include "contract/InstallContract.h"
#include "installer/InstallPlan.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"
#include "support/EveryKindSetup.h"
#include "support/TempFolder.h"

namespace orvelin::test {
namespace {

using Lines = std::vector<std::wstring>;

std::wstring Quoted(const std::wstring& path) { return L"\"" + ExcludeTrailingBackslash(path) + L"\""; }

// The program's exit code, once it has ended.
DWORD RunToEnd(const std::wstring& program, const std::wstring& arguments, const std::wstring& folder = L"") {
    ChildProcess started(program, folder, arguments);
    return started.WaitForExit().value_or(STILL_ACTIVE);
}

DWORD Catalog(const std::wstring& command, const std::wstring& first, const std::wstring& second = L"") {
    return RunToEnd(BuiltProgram(L"catalog.exe"), command + L" " + Quoted(first) + (second.empty() ? L"" : L" " + Quoted(second)));
}

// What the install copied: its installed-file list but for the two shortcuts and Setup.ini.
Lines CopiedFiles(const std::wstring& uninstallFolder) {
    Lines listed = ReadAnsiLines(uninstallFolder + L"\\" + kInstalledFileList);
    listed.resize(listed.size() >= 3 ? listed.size() - 3 : 0);
    return listed;
}

class SampleRoundTripTest : public testing::Test {
protected:
    void SetUp() override { installation.RemoveAll(); }
    void TearDown() override { installation.RemoveAll(); }

    SampleInstallation installation;
    SampleSetupCopy setup;
};

TEST_F(SampleRoundTripTest, BuiltFromItsDescriptionItChecksCleanInstallsAndUninstalls) {
    RemoveTree(setup / L"data");

    ASSERT_EQ(Catalog(L"build", BuiltSampleDescription(), setup.Folder()), 0u);
    ASSERT_EQ(Catalog(L"check", setup.Folder()), 0u);
    ASSERT_EQ(RunToEnd(setup.Installer(), L"/quiet", setup.Folder()), 0u);
    ASSERT_NO_FATAL_FAILURE(ExpectSampleInstalled(installation, setup));

    const Lines listed = ReadAnsiLines(installation.uninstallFolder + L"\\" + kInstalledFileList);
    ASSERT_EQ(RunToEnd(installation.uninstallFolder + L"\\" + kUninstallerFile, L"/quiet", installation.uninstallFolder), 0u);
    ExpectSampleUninstalled(installation, listed);
}

class EveryKindRoundTripTest : public testing::Test {
protected:
    void SetUp() override {
        RemoveAll();
        EveryKindSetup::WriteFolder(setup, BuiltProgram(L"SampleSetup.exe"), BuiltProgram(L"uninstall.exe"));
        PutFile(setup + L"every.catalog", ToUtf8(EveryKindSetup::Description()));
    }
    void TearDown() override { RemoveAll(); }

    // The installer under the given name, told which Windows it runs on; its uninstall folder.
    std::wstring Install(const std::wstring& installer, const WindowsPlatform& windows) {
        EXPECT_TRUE(CopyFileW(BuiltProgram(L"install.exe").c_str(), (setup + installer).c_str(), FALSE));
        SetupPackage package;
        package.Load(setup, IniFile(setup + L"setup.ini"));
        for (const auto& node : PlanInstall(package, windows, 1).nodes)
            for (const auto& file : node.files)
                if (!file.destination.empty()) planned.push_back(file.destination);
        EXPECT_EQ(RunToEnd(setup + installer, L"/quiet", setup), 0u);
        return UninstallFolder(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), ChangeFileExt(installer, L"")) + L"\\",
                               EveryKindSetup::kGuid);
    }

    void ExpectUninstalled(const std::wstring& uninstallFolder) {
        const Lines listed = ReadAnsiLines(uninstallFolder + L"\\" + kInstalledFileList);
        ASSERT_FALSE(listed.empty());
        ASSERT_EQ(RunToEnd(uninstallFolder + L"\\" + kUninstallerFile, L"/quiet", uninstallFolder), 0u);
        for (const auto& file : listed) EXPECT_FALSE(FileExists(file)) << ToUtf8(file);
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, UninstallKeyPath(EveryKindSetup::kGuid), KEY_READ));
    }

    std::string SetupRuns(const std::wstring& folder) const {
        const std::wstring log = setup + L"FILES\\" + folder + L"\\setup-runs.log";
        return FileExists(log) ? ReadFileBytes(log) : "";
    }

    static std::wstring Application(int csidl) { return CompanyFolder(GetSpecialFolder(csidl), L"EveryKind") + L"\\"; }
    static std::wstring NativeApplication() { return CompanyFolder(NativeProgramFiles(), L"EveryKind") + L"\\"; }

    void RemoveAll() const {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, UninstallKeyPath(EveryKindSetup::kGuid).c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, UninstallKeyPath(EveryKindSetup::kGuid).c_str());
        for (const int csidl : {CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES, CSIDL_COMMON_APPDATA, CSIDL_APPDATA})
            RemoveTree(Application(csidl));
        RemoveTree(NativeApplication());
        for (const wchar_t* installer : {L"install", L"install_xp"})
            RemoveTree(UninstallFolder(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), installer) + L"\\",
                                       EveryKindSetup::kGuid));
        RemoveTree(ProgramGroupFolder(GetSpecialFolder(CSIDL_COMMON_PROGRAMS), L"Every Kind 1.0"));
        DeleteFileW((GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Every Kind" + kShortcutExtension).c_str());
    }

    TempFolder temp;
    const std::wstring setup = temp / L"setup\\";
    Lines planned;   // where catalog's walk says the install copies to
};

struct GenerationCase {
    const char* name;
    const wchar_t* installer;         // Wine's version setting is per program name
    const wchar_t* reportedVersion;   // that setting; none: this Windows
    int csidlProgramFiles32;          // where the 32-bit program files lie on that Windows
    const wchar_t* serverSetup;       // the setup programs that run, below FILES
    const wchar_t* vendorSetup;
    std::vector<const wchar_t*> idleSetups;
    bool vendorCopies;                // the other vendor's copy folder serves Vista and later only
};

class EveryKindGenerationTest : public EveryKindRoundTripTest, public testing::WithParamInterface<GenerationCase> {};

TEST_P(EveryKindGenerationTest, BuiltCheckedInstalledWhereCatalogSaysAndUninstalled) {
    const GenerationCase& c = GetParam();
    if (c.reportedVersion && !RunsUnderWine()) GTEST_SKIP() << "the reported version is set through Wine's settings";
    ASSERT_EQ(Catalog(L"build", setup + L"every.catalog", setup), 0u);
    ASSERT_EQ(Catalog(L"check", setup), 0u);
    std::optional<ReportedWindowsVersion> reported;
    if (c.reportedVersion) reported.emplace(c.installer, c.reportedVersion);
    const WindowsPlatform here = WindowsPlatform::Detect();

    const std::wstring uninstallFolder =
        Install(c.installer, c.reportedVersion ? WindowsPlatform{5, here.is64Bit} : here);

    // Applications in the description's order; the copy folders titled BIN go into the first
    // folder installed to that ends with BIN.
    const std::wstring program = Application(c.csidlProgramFiles32);
    Lines expected = {program + L"BIN\\EveryKind.exe", program + L"BIN\\a.dll", program + L"BIN\\b.dll",
                      program + L"LIB\\c.ocx", Application(CSIDL_COMMON_APPDATA) + L"DATA\\data.dat",
                      Application(CSIDL_APPDATA) + L"USER\\user.ini", NativeApplication() + L"NATIVE\\native.cfg",
                      program + L"BIN\\fb.conf"};
    if (c.vendorCopies) expected.push_back(program + L"BIN\\tool.cfg");
    EXPECT_EQ(CopiedFiles(uninstallFolder), expected);
    EXPECT_EQ(planned, expected);
    // The chosen server's and the other vendor's programs of this generation ran, with their
    // [QuietArguments]; no other did.
    EXPECT_EQ(SetupRuns(c.serverSetup), "fbsetup.exe ran /fb\r\n");
    EXPECT_EQ(SetupRuns(c.vendorSetup), "toolsetup.exe ran /tool\r\n");
    for (const wchar_t* idle : c.idleSetups) EXPECT_EQ(SetupRuns(idle), "") << ToUtf8(idle);

    ExpectUninstalled(uninstallFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Generations, EveryKindGenerationTest,
    testing::Values(
        GenerationCase{"ThisWindows", L"install.exe", nullptr, CSIDL_PROGRAM_FILESX86, L"DATABASE SERVERS\\FB25\\Setup",
                       L"THIRED PARTY APP\\TOOLS\\Tool Setup",
                       {L"DATABASE SERVERS\\FB15\\Setup", L"DATABASE SERVERS\\IB\\Setup",
                        L"THIRED PARTY APP\\TOOLS XP\\Tool Setup"},
                       true},
        GenerationCase{"WindowsXp", L"install_xp.exe", L"winxp64", CSIDL_PROGRAM_FILES, L"DATABASE SERVERS\\FB15\\Setup",
                       L"THIRED PARTY APP\\TOOLS XP\\Tool Setup",
                       {L"DATABASE SERVERS\\FB25\\Setup", L"DATABASE SERVERS\\IB\\Setup",
                        L"THIRED PARTY APP\\TOOLS\\Tool Setup"},
                       false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test
