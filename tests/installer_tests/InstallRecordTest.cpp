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
        package.settings.guid = forGuid;
        WriteUninstallEntry(package.settings, uninstallRoot, setup.Path(), installed, changes, view);
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

// Windows never lists a product whose uninstaller is missing.
TEST_F(InstallRecordTest, WithoutTheUninstallerSourceNoKeyIsWritten) {
    installed.uninstallerSource = L"";

    try {
        WriteRecord();
        FAIL() << "the record was written without an uninstaller";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Text().starts_with(L"Error executing copyFile System Error.  Code: ")) << e.what();
    }
    EXPECT_EQ(view.messages, Lines{L"\n\r" + UninstallFolder()});
    EXPECT_FALSE(RegistryKeyPresent(UninstallKeyPath(guid), 0));
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

TEST_F(InstallRecordTest, AKeyThatCannotBeCreatedFailsWithTheUninstallFolderComplete) {
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
    EXPECT_TRUE(FileExists(common.Path() + nested + L"\\uninstallfilelist.txt"));
    EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace orvelin::test

namespace orvelin::test {
namespace {

std::wstring DwordValue(const std::wstring& guid, const std::wstring& name) {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, UninstallKeyPath(guid), KEY_READ);
    DWORD value = 0, type = 0, size = sizeof(value);
    if (!key || RegQueryValueExW(key->Handle(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS || type != REG_DWORD)
        return L"none";
    return std::to_wstring(value);
}

// What Windows' list of programs and deployment tools' detection rules read besides.
TEST_F(InstallRecordTest, TellsTheListOfProgramsWhatItShowsAndDetects) {
    // A main executable with a version resource: the installer itself will do.
    const std::wstring mainExecutable = setup / L"installed\\APP.EXE";
    ForceDirectories(setup / L"installed");
    ASSERT_TRUE(CopyFileW((ExtractFilePath(ModuleFilePath()) + L"install.exe").c_str(), mainExecutable.c_str(), FALSE));
    PutFile(setup / L"installed\\data.bin", std::string(3000, 'd'));
    installed.mainExecutable = mainExecutable;
    installed.paths = {mainExecutable, setup / L"installed\\data.bin", mainExecutable};
    package.settings.aboutUrl = L"https://example.com/orvelin";
    package.settings.contact = L"support@example.com";

    WriteRecord();

    EXPECT_EQ(UninstallValue(guid, L"DisplayIcon", 0), mainExecutable);
    EXPECT_EQ(UninstallValue(guid, L"DisplayVersion", 0), L"" ORVELIN_VERSION_TEXT L".0");
    EXPECT_EQ(UninstallValue(guid, L"QuietUninstallString", 0), L"\"" + UninstallFolder() + L"\\uninstall.exe\" /quiet");
    EXPECT_EQ(UninstallValue(guid, L"URLInfoAbout", 0), L"https://example.com/orvelin");
    EXPECT_EQ(UninstallValue(guid, L"Contact", 0), L"support@example.com");
    EXPECT_EQ(UninstallValue(guid, L"HelpLink", 0), L"") << "not given, not written";
    // Each file once: the executable, the data file and the folder's Setup.ini.
    const unsigned long long bytes = ReadFileBytes(mainExecutable).size() + 3000 + ReadFileBytes(setup / L"Setup.ini").size();
    EXPECT_EQ(DwordValue(guid, L"EstimatedSize"), std::to_wstring((bytes + 1023) / 1024));
    const std::wstring date = UninstallValue(guid, L"InstallDate", 0);
    SYSTEMTIME today;
    GetLocalTime(&today);
    EXPECT_EQ(date.size(), 8u);
    EXPECT_EQ(date.substr(0, 4), std::to_wstring(today.wYear));
}

TEST_F(InstallRecordTest, WithoutAMainExecutableThereIsNoIconAndNoVersion) {
    WriteRecord();

    EXPECT_EQ(UninstallValue(guid, L"DisplayIcon", 0), L"");
    EXPECT_EQ(UninstallValue(guid, L"DisplayVersion", 0), L"");
    EXPECT_EQ(UninstallValue(guid, L"URLInfoAbout", 0), L"");
    EXPECT_NE(DwordValue(guid, L"EstimatedSize"), L"none");
}

TEST_F(InstallRecordTest, EveryValueWrittenIsLogged) {
    WriteRecord();

    const Lines events = LogLines();
    const std::wstring key = L"Registry value set: HKEY_LOCAL_MACHINE\\" + UninstallKeyPath(guid) + L" ";
    for (const std::wstring name : {L"DisplayName", L"UninstallString", L"InstallLocation", L"Publisher",
                                    L"EstimatedSize", L"InstallDate", L"QuietUninstallString"})
        EXPECT_TRUE(HasEventStartingWith(events, key + name + L" = ")) << ToUtf8(name);
    EXPECT_TRUE(HasEventStartingWith(events, L"File copied: " + uninstaller + L" -> " + UninstallFolder()));
    EXPECT_TRUE(HasEventStartingWith(events, L"File written: " + UninstallFolder() + L"\\uninstallfilelist.txt"));
}

}  // namespace
}  // namespace orvelin::test
