#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <set>

#include "platform/FileSystem.h"
#include "contract/InstallContract.h"
#include "foundation/AppEnvironment.h"
#include "platform/ShellFolders.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

using namespace orvelin;
using orvelin::test::CurrentFolder;
using orvelin::test::RemoveTree;
using orvelin::test::TempFolder;
using orvelin::test::PutFile;

namespace {

// A program name no other test uses, so the shared prefix's company folders stay apart.
std::wstring UniqueProgramName(const wchar_t* stem) { return stem + std::to_wstring(GetCurrentProcessId()); }

std::set<std::wstring> FoldersUnder(const std::wstring& folder) {
    std::set<std::wstring> found;
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW((IncludeTrailingBackslash(folder) + L"*").c_str(), &data));
    if (!find) return found;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L".." || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::wstring path = IncludeTrailingBackslash(folder) + name;
        found.insert(path);
        for (auto& sub : FoldersUnder(path)) found.insert(sub);
    } while (FindNextFileW(find.Get(), &data));
    return found;
}

// Removes what a start-up under `name` creates in the shared prefix.
struct ProgramTraces {
    std::wstring name;
    ~ProgramTraces() {
        for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_COMMON_APPDATA, CSIDL_APPDATA})
            RemoveTree(CompanyFolder(GetSpecialFolder(csidl), name));
        RemoveTree(GetTempDirectory() + kCompany + L"\\" + name);
        RegDeleteKeyW(HKEY_CURRENT_USER, ProgramSettingsKeyPath(name).c_str());
    }
};

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

const DevelopmentModeProbe kNormal = [] { return false; };
const DevelopmentModeProbe kInDevelopment = [] { return true; };

}  // namespace

TEST(AppEnvironmentTest, StartUpUnderAnotherNameCreatesItsLayoutAndKey) {
    TempFolder setup;
    const std::wstring name = UniqueProgramName(L"OtherName");
    ProgramTraces traces{name};
    SetCurrentDirectoryW(GetWindowsFolder().c_str());

    AppEnvironment env(setup / (name + L".exe"), kNormal);
    const AppFolders& f = env.Folders();

    EXPECT_EQ(f.ExePath, setup.Path());
    EXPECT_EQ(IncludeTrailingBackslash(CurrentFolder()), setup.Path());
    EXPECT_EQ(f.ExeBaseName, name);
    // On 64-bit Windows a 32-bit program sees the 32-bit program-files folder.
    const std::wstring programFiles = sizeof(void*) == 4 ? L"C:\\Program Files (x86)" : L"C:\\Program Files";
    EXPECT_EQ(f.ProgramDir, CompanyFolder(programFiles, name) + L"\\");
    EXPECT_EQ(f.CommonDataDir, CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), name) + L"\\");
    EXPECT_EQ(f.UserDataDir, CompanyFolder(GetSpecialFolder(CSIDL_APPDATA), name) + L"\\");
    EXPECT_EQ(f.TempDir, GetTempDirectory() + kCompany + L"\\" + name + L"\\");
    EXPECT_EQ(f.DataDir, f.CommonDataDir + L"Data\\");
    EXPECT_EQ(f.ReportsDir, f.CommonDataDir + L"Reports\\");
    EXPECT_EQ(f.TxtDir, f.CommonDataDir + L"Txt\\");
    EXPECT_EQ(f.ErrorLogDir, f.CommonDataDir + L"Error Log\\");
    EXPECT_EQ(f.BinDir, f.ProgramDir + L"Bin\\");
    EXPECT_EQ(f.SetUpDir, f.ProgramDir + L"SetUp\\");
    EXPECT_EQ(f.DocDir, f.ProgramDir + L"Doc\\");
    EXPECT_EQ(f.DevWorkDir, L"");
    for (const auto& folder : {f.ProgramDir, f.CommonDataDir, f.UserDataDir, f.TempDir, f.DataDir, f.ReportsDir,
                               f.TxtDir, f.ErrorLogDir, f.BinDir, f.SetUpDir, f.DocDir})
        EXPECT_TRUE(DirectoryExists(folder)) << ToUtf8(folder);
    EXPECT_TRUE(KeyExists(ProgramSettingsKeyPath(name)));
    EXPECT_NE(env.AppRegistry(), nullptr);
}

TEST(AppEnvironmentTest, SecondStartFindsEverythingAndCreatesNothing) {
    TempFolder setup;
    const std::wstring name = UniqueProgramName(L"Again");
    ProgramTraces traces{name};
    std::set<std::wstring> before;
    {
        AppEnvironment first(setup / (name + L".exe"), kNormal);
        for (const auto& root : {first.Folders().ProgramDir, first.Folders().CommonDataDir})
            for (auto& folder : FoldersUnder(root)) before.insert(folder);
    }
    AppEnvironment second(setup / (name + L".exe"), kNormal);
    std::set<std::wstring> after;
    for (const auto& root : {second.Folders().ProgramDir, second.Folders().CommonDataDir})
        for (auto& folder : FoldersUnder(root)) after.insert(folder);
    EXPECT_EQ(before, after);
    EXPECT_EQ(after.size(), 7u);   // Data, Reports, Txt, Error Log, Bin, SetUp, Doc
}

TEST(AppEnvironmentTest, DevelopmentModeLaysTheFoldersUnderTheRootsRunFolder) {
    TempFolder project;
    const std::wstring name = UniqueProgramName(L"Dev");
    ProgramTraces traces{name};
    PutFile(project / (name + L".res"), "res");
    const std::wstring exeFolder = project / L"Win32\\Debug\\";
    ForceDirectories(exeFolder);
    AppEnvironment env(exeFolder + name + L".exe", kInDevelopment);
    const AppFolders& f = env.Folders();
    const std::wstring run = project / L"RUN\\";
    EXPECT_EQ(f.DataDir, run + L"Data\\");
    EXPECT_EQ(f.ReportsDir, run + L"Reports\\");
    EXPECT_EQ(f.TxtDir, run + L"Txt\\");
    EXPECT_EQ(f.ErrorLogDir, run + L"Error Log\\");
    EXPECT_EQ(f.BinDir, run + L"Bin\\");
    EXPECT_EQ(f.SetUpDir, run + L"SetUp\\");
    EXPECT_EQ(f.DocDir, run + L"Doc\\");
    EXPECT_EQ(f.DevWorkDir, run + L"DevWork\\");
    for (const auto& folder : {f.DataDir, f.ReportsDir, f.TxtDir, f.ErrorLogDir, f.BinDir, f.SetUpDir, f.DocDir,
                               f.DevWorkDir})
        EXPECT_TRUE(DirectoryExists(folder)) << ToUtf8(folder);
}

TEST(AppEnvironmentTest, DevelopmentModeWithoutResFileKeepsTheNormalLayout) {
    TempFolder setup;
    const std::wstring name = UniqueProgramName(L"NoRes");
    ProgramTraces traces{name};
    AppEnvironment env(setup / (name + L".exe"), kInDevelopment);
    EXPECT_EQ(env.Folders().DataDir, env.Folders().CommonDataDir + L"Data\\");
    EXPECT_EQ(env.Folders().DevWorkDir, L"");
}

TEST(DevelopmentRootTest, NearestAncestorHoldingTheResFileOrParentWhenOwnFolderHoldsIt) {
    TempFolder top;
    ForceDirectories(top / L"P\\A\\B\\");
    EXPECT_FALSE(FindDevelopmentRoot(top / L"P\\A\\B\\", L"app").has_value());

    PutFile(top / L"P\\app.res", "");
    EXPECT_EQ(FindDevelopmentRoot(top / L"P\\A\\B\\", L"app"), top / L"P\\");

    PutFile(top / L"P\\A\\B\\app.res", "");
    EXPECT_EQ(FindDevelopmentRoot(top / L"P\\A\\B\\", L"app"), top / L"P\\A\\");
}

TEST(TempDirectoryTest, CandidatesAreTriedInOrder) {
    TempFolder scratch;
    const auto noWindows = []() -> std::wstring { ADD_FAILURE() << "Windows folder asked for"; return L""; };
    // 1. The platform's folder, created when missing.
    EXPECT_EQ(PickTempDirectory(scratch / L"platform", noWindows), scratch / L"platform\\");
    EXPECT_TRUE(DirectoryExists(scratch / L"platform"));

    // 2. The Windows folder's TEMP when the platform's cannot be made (its parent is missing).
    const std::wstring windows = scratch / L"Windows";
    ForceDirectories(windows);
    EXPECT_EQ(PickTempDirectory(scratch / L"missing\\deeper\\", [&] { return windows; }), windows + L"\\TEMP\\");

    // 3. and 4. The drive's \TEMP, then \TMP (a file named TEMP blocks the folder).
    const std::wstring noTempFolder = scratch / L"missing\\Windows";
    const bool driveTempExisted = DirectoryExists(L"C:\\TEMP");
    EXPECT_EQ(PickTempDirectory(L"", [&] { return noTempFolder; }), L"C:\\TEMP\\");
    if (!driveTempExisted) RemoveDirectoryW(L"C:\\TEMP");
    if (!DirectoryExists(L"C:\\TEMP")) {
        PutFile(L"C:\\TEMP", "blocks the folder");
        const bool tmpExisted = DirectoryExists(L"C:\\TMP");
        EXPECT_EQ(PickTempDirectory(L"", [&] { return noTempFolder; }), L"C:\\TMP\\");
        DeleteFileW(L"C:\\TEMP");
        if (!tmpExisted) RemoveDirectoryW(L"C:\\TMP");
    }
}

TEST(SpecialFolderTest, HasNoTrailingBackslashAndIsEmptyForAnUnknownFolder) {
    const std::wstring appData = GetSpecialFolder(CSIDL_COMMON_APPDATA);
    ASSERT_FALSE(appData.empty());
    EXPECT_NE(appData.back(), L'\\');
    EXPECT_EQ(GetSpecialFolder(0x7FFF), L"");
}
