// The branches for Windows before 6.0, run for real: the test program starts a copy of itself
// that Wine reports Windows XP to, and that copy runs the PreVistaWindows tests.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "installer_tests/InstallerFixture.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/TextUtil.h"
#include "shared/WindowsVersion.h"

namespace orvelin::test {
namespace {

using Lines = std::vector<std::wstring>;

constexpr const wchar_t* ChildVariable = L"ORVELIN_PRE_VISTA_CHILD";

bool InPreVistaChild() { return GetEnvironmentVariableW(ChildVariable, nullptr, 0) > 0; }

std::wstring Announced(const std::wstring& name) { return L"Installer will run the setup program for: " + name; }

class PreVistaWindows : public InstallerTest {
protected:
    void SetUp() override {
        if (!InPreVistaChild()) GTEST_SKIP() << "runs in the copy that PreVistaBranches starts";
        ASSERT_LE(WindowsMajorVersion(), 5);
    }
};

TEST_F(PreVistaWindows, KindOneUsesTheProgramFilesFolder) {
    EXPECT_EQ(run.LocationBaseFolder(1), ShellFolder(CSIDL_PROGRAM_FILES) + L"\\ORVELIN\\" + application + L"\\");
}

TEST_F(PreVistaWindows, TheServerLocationOfTheOlderGenerationServesWithRunCodeTen) {
    catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Servers", .accountType = 0})
        .Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"FIREBIRD30", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 11, .parentId = 1, .title = L"FIREBIRD15", .functionId = -1})
        .Add(CatalogueLocation{.minorId = 12, .parentId = 1, .title = L"FIREBIRD10", .functionId = -1})
        .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"SETUP", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 110, .parentId = 11, .title = L"NEWER", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 111, .parentId = 11, .title = L"SETUP", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 120, .parentId = 12, .title = L"SETUP", .functionId = 10});
    LoadCatalogue();
    run.currentSourceFolder = CategoryFolder(kDatabaseServers);
    view.databaseIndex = 1;
    view.script.answers = {false};

    run.InstallDbServers();

    EXPECT_EQ(view.script.messages, Lines{Announced(L"FIREBIRD")});
    EXPECT_EQ(run.runFolder, CategoryFolder(kDatabaseServers) + L"\\FIREBIRD15\\SETUP");
}

TEST_F(PreVistaWindows, EveryThirdPartyLocationOfTheOlderGenerationServes) {
    catalogue.Add(CatalogueApplication{.majorId = 3, .title = L"Vendors", .accountType = 3})
        .Add(CatalogueLocation{.minorId = 30, .parentId = 3, .title = L"NEW", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 31, .parentId = 3, .title = L"OLD", .functionId = -2})
        .Add(CatalogueLocation{.minorId = 32, .parentId = 3, .title = L"OLDER", .functionId = -1})
        .Add(CatalogueFolder{.detailId = 300, .parentId = 30, .title = L"New Setup", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 310, .parentId = 31, .title = L"Old Newer", .functionId = 5})
        .Add(CatalogueFolder{.detailId = 311, .parentId = 31, .title = L"Old Setup", .functionId = 10})
        .Add(CatalogueFolder{.detailId = 320, .parentId = 32, .title = L"Older Setup", .functionId = 10});
    LoadCatalogue();
    run.currentSourceFolder = CategoryFolder(kThirdParty);
    view.script.answers = {false, false};

    run.InstallThirdPartyPrograms();

    EXPECT_EQ(view.script.messages, (Lines{Announced(L"Old Setup"), Announced(L"Older Setup")}));
}

// Wine's per-program setting for the Windows version it reports, for one program name.
class ReportedVersionSetting {
public:
    ReportedVersionSetting(const std::wstring& programName, const std::wstring& version)
        : key_(L"Software\\Wine\\AppDefaults\\" + programName) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        const UniqueRegKey owner(key);
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    }
    ~ReportedVersionSetting() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }
    ReportedVersionSetting(const ReportedVersionSetting&) = delete;
    ReportedVersionSetting& operator=(const ReportedVersionSetting&) = delete;

private:
    std::wstring key_;
};

class EnvironmentSetting {
public:
    EnvironmentSetting(const wchar_t* name, const wchar_t* value) : name_(name) { SetEnvironmentVariableW(name, value); }
    ~EnvironmentSetting() { SetEnvironmentVariableW(name_, nullptr); }
    EnvironmentSetting(const EnvironmentSetting&) = delete;
    EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;

private:
    const wchar_t* name_;
};

TEST(PreVistaBranches, PassInAProgramThatIsToldItRunsOnWindowsXp) {
    if (InPreVistaChild()) GTEST_SKIP() << "the copy does not start copies";
    if (!IsWine()) GTEST_SKIP() << "the reported version is set per program through Wine's settings";

    TempFolder folder;
    const std::wstring programName = L"installer_prevista_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    const std::wstring program = folder / programName;
    ASSERT_TRUE(CopyFileW(ModuleFilePath().c_str(), program.c_str(), FALSE));
    const ReportedVersionSetting xp(programName, L"winxp64");
    const EnvironmentSetting child(ChildVariable, L"1");

    const std::wstring report = folder / L"report.xml";
    std::wstring commandLine =
        L"\"" + program + L"\" --gtest_filter=PreVistaWindows.* \"--gtest_output=xml:" + report + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               folder.Path().c_str(), &startup, &started));
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    ASSERT_EQ(WaitForSingleObject(process.Get(), 300000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the PreVistaWindows tests failed in the copy; see its output above";
    // Ran, not passed over.
    const std::string xml = ReadFileBytes(report);
    EXPECT_NE(xml.find("result=\"completed\""), std::string::npos);
    EXPECT_EQ(xml.find("result=\"skipped\""), std::string::npos);
}

}  // namespace
}  // namespace orvelin::test
