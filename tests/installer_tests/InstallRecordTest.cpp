// The installation record: the Uninstall key in the 32-bit view, the uninstall folder and the
// installed-file list.
#include <gtest/gtest.h>

#include "contract/InstallContract.h"
#include "installer/InstallRecord.h"
#include "installer_tests/InstallerFixture.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/TextFile.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/WindowsPlatform.h"
#include "support/ProductTexts.h"

namespace orvelin::test {
namespace {

class InstallRecordTest : public InstallerTest {
protected:
    InstallRecordTest() {
        uninstaller = PutSource(kInstalledApplic, L"uninstall.exe");
        installed.uninstallerSource = uninstaller;
        PutFile(setup / L"Setup.ini", "[Install]\r\nGuidId=" + ToUtf8(guid) + "\r\n");
        installed.paths = {L"C:\\Program Files (x86)\\ORVELIN\\APP\\APP.EXE", L"C:\\ProgramData\\ORVELIN\\APP\\a.dat"};
    }

    void WriteRecord(const std::wstring& forGuid, const std::wstring& uninstallRoot) {
        WriteUninstallEntry(forGuid, package.settings.displayName, uninstallRoot, setup.Path(), installed, view);
    }
    void WriteRecord() { WriteRecord(guid, common.Path()); }

    std::wstring uninstaller;
};

TEST_F(InstallRecordTest, WritesTheUninstallKeyInTheProgramsOwnView) {
    WriteRecord();

    const std::wstring folder = UninstallFolder();
    const std::vector<std::pair<std::wstring, std::wstring>> values = {
        {L"DisplayName", package.settings.displayName}, {L"UninstallString", folder + L"\\uninstall.exe"},
        {L"InstallLocation", folder},       {L"Language", L"409"},
        {L"NoModify", L"1"},                {L"NoRemove", L"1"},
        {L"NoRepair", L"1"},                {L"Publisher", kPublisher}};
    for (const auto& [name, value] : values) EXPECT_EQ(UninstallValue(guid, name, 0), value) << ToUtf8(name);
    // The 32-bit installer on 64-bit Windows: the 32-bit view, where its uninstaller looks.
    if (sizeof(void*) == 4 && Is64BitWindows()) {
        EXPECT_EQ(UninstallValue(guid, L"Publisher", KEY_WOW64_32KEY), kPublisher);
        EXPECT_FALSE(RegistryKeyPresent(UninstallKeyPath(guid), KEY_WOW64_64KEY));
    }
}

TEST_F(InstallRecordTest, FillsTheUninstallFolder) {
    WriteRecord();

    const std::wstring folder = UninstallFolder();
    EXPECT_EQ(ReadFileBytes(folder + L"\\uninstall.exe"), ReadFileBytes(uninstaller));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Setup.ini"), ReadFileBytes(setup / L"Setup.ini"));
    EXPECT_EQ(ReadFileBytes(folder + L"\\uninstallfilelist.txt"),
              "C:\\Program Files (x86)\\ORVELIN\\APP\\APP.EXE\r\nC:\\ProgramData\\ORVELIN\\APP\\a.dat\r\n" +
                  ToUtf8(folder) + "\\Setup.ini\r\n");
    EXPECT_FALSE(FileExists(folder + L"\\uninstall.ARA"));
    EXPECT_EQ(installed.paths.back(), folder + L"\\Setup.ini");
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(InstallRecordTest, TakesTheUninstallersArabicModuleAlongWhenThereIsOne) {
    const std::wstring module = PutSource(kInstalledApplic, L"uninstall.ARA");

    WriteRecord();

    EXPECT_EQ(ReadFileBytes(UninstallFolder() + L"\\uninstall.ARA"), ReadFileBytes(module));
    EXPECT_EQ(installed.paths.size(), 3u);   // neither module nor uninstaller is listed
}

TEST_F(InstallRecordTest, AListThatDoesNotFitTheAnsiCodePageIsWrittenAsUtf8WithAMark) {
    // Arabic and Chinese: no single-byte Windows code page holds both.
    const std::wstring name = L"C:\\ProgramData\\ORVELIN\\APP\\\u062A\u0642\u0631\u064A\u0631\u6587.txt";
    if (FitsAnsiCodePage({name})) GTEST_SKIP() << "the ANSI code page holds every character";
    installed.paths.push_back(name);

    WriteRecord();

    const std::string bytes = ReadFileBytes(UninstallFolder() + L"\\uninstallfilelist.txt");
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" + ToUtf8(L"C:\\Program Files (x86)\\ORVELIN\\APP\\APP.EXE\r\n"
                                            L"C:\\ProgramData\\ORVELIN\\APP\\a.dat\r\n" +
                                            name + L"\r\n" + UninstallFolder() + L"\\Setup.ini\r\n"));
    // The uninstaller's reader gets the names back.
    EXPECT_EQ(ReadTextFile(UninstallFolder() + L"\\uninstallfilelist.txt").lines[2], name);
}

TEST_F(InstallRecordTest, AListThatFitsTheAnsiCodePageStaysAnsi) {
    const std::wstring name = L"C:\\ProgramData\\ORVELIN\\APP\\r\u00E9sum\u00E9.txt";
    if (!FitsAnsiCodePage({name}) || GetACP() == CP_UTF8) GTEST_SKIP() << "the ANSI code page lacks the letter";
    installed.paths = {name};

    WriteRecord();

    const std::wstring text = name + L"\r\n" + UninstallFolder() + L"\\Setup.ini\r\n";
    std::string ansi(text.size() * 2, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(),
                                    static_cast<int>(ansi.size()), nullptr, nullptr));
    EXPECT_EQ(ReadFileBytes(UninstallFolder() + L"\\uninstallfilelist.txt"), ansi);
    EXPECT_NE(ansi, ToUtf8(text));   // one byte for the letter, not two
}

struct QuotingCase {
    const char* name;
    const wchar_t* commonFolder;
    bool quoted;
};

class InstallRecordQuotingTest : public InstallRecordTest, public ::testing::WithParamInterface<QuotingCase> {};

TEST_P(InstallRecordQuotingTest, QuotesTheUninstallStringOnlyWhenItHoldsABlank) {
    const std::wstring commonDataDir = common / GetParam().commonFolder;

    WriteRecord(guid, commonDataDir);

    const std::wstring uninstallerCopy = commonDataDir + guid + L"\\uninstall.exe";
    EXPECT_TRUE(FileExists(uninstallerCopy));
    EXPECT_EQ(UninstallValue(guid, L"UninstallString", 0),
              GetParam().quoted ? L"\"" + uninstallerCopy + L"\"" : uninstallerCopy);
    EXPECT_EQ(UninstallValue(guid, L"InstallLocation", 0), commonDataDir + guid);
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallRecordQuotingTest,
                         ::testing::Values(QuotingCase{"WithABlank", L"Orvelin Data\\install\\", true},
                                           QuotingCase{"WithoutBlanks", L"OrvelinData\\install\\", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallRecordTest, AnExistingKeyMeansAlreadyInstalled) {
    EXPECT_NO_THROW(CheckAlreadyInstalled(guid));
    RegistryKey::Create(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_ALL_ACCESS);

    try {
        CheckAlreadyInstalled(guid);
        FAIL() << "an installed application was not noticed";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), text::AlreadyInstalled);
    }
}

TEST_F(InstallRecordTest, WithoutTheUninstallerSourceTheCopyFailsAfterTwoValues) {
    installed.uninstallerSource = L"";

    try {
        WriteRecord();
        FAIL() << "the record was written without an uninstaller";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Text().starts_with(L"Error executing copyFile System Error.  Code: ")) << e.what();
    }
    EXPECT_EQ(view.messages, Lines{L"\n\r" + UninstallFolder()});
    EXPECT_EQ(UninstallValue(guid, L"DisplayName", 0), package.settings.displayName);
    EXPECT_NE(UninstallValue(guid, L"UninstallString", 0), L"");
    EXPECT_EQ(UninstallValue(guid, L"InstallLocation", 0), L"");
    EXPECT_TRUE(DirectoryExists(UninstallFolder()));
    EXPECT_FALSE(FileExists(UninstallFolder() + L"\\uninstallfilelist.txt"));
    EXPECT_EQ(installed.paths.size(), 2u);
}

TEST_F(InstallRecordTest, AFailedSetupIniCopyShowsTheUninstallersSourceAnyway) {
    DeleteFileW((setup / L"Setup.ini").c_str());

    try {
        WriteRecord();
        FAIL() << "the record was written without Setup.ini";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), L"Error executing copyFile " + SystemErrorMessage(ERROR_FILE_NOT_FOUND));
    }
    EXPECT_EQ(view.messages, Lines{uninstaller + L"\n\r" + UninstallFolder()});
    EXPECT_TRUE(FileExists(UninstallFolder() + L"\\uninstall.exe"));
    EXPECT_FALSE(FileExists(UninstallFolder() + L"\\uninstallfilelist.txt"));
}

TEST_F(InstallRecordTest, AnExistingUninstallFolderIsReused) {
    const std::wstring folder = UninstallFolder();
    PutFile(folder + L"\\uninstall.exe", "an older uninstaller");
    PutFile(folder + L"\\Setup.ini", "[Install]\r\nGuidId=old\r\n");
    PutFile(folder + L"\\uninstallfilelist.txt", "C:\\old\\1.txt\r\nC:\\old\\2.txt\r\nC:\\old\\3.txt\r\nC:\\old\\4.txt\r\n");

    WriteRecord();

    EXPECT_EQ(ReadFileBytes(folder + L"\\uninstall.exe"), ReadFileBytes(uninstaller));
    EXPECT_EQ(ReadFileBytes(folder + L"\\Setup.ini"), ReadFileBytes(setup / L"Setup.ini"));
    EXPECT_EQ(ReadTextFile(folder + L"\\uninstallfilelist.txt").lines,
              (Lines{installed.paths[0], installed.paths[1], folder + L"\\Setup.ini"}));
}

TEST_F(InstallRecordTest, AKeyThatCannotBeCreatedStopsBeforeTheUninstallFolder) {
    // Windows keeps no lasting key under a volatile one.
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &volatileKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    const std::wstring nested = guid + L"\\Entry";

    try {
        WriteRecord(nested, common.Path());
        FAIL() << "the record was written under a volatile key";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), L"Failed to create key " + UninstallKeyPath(nested));
    }
    EXPECT_FALSE(DirectoryExists(common.Path() + guid));
    EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace orvelin::test
