// The copy engine: base folders by location kind, destination folders, the copy of each
// node's files and what it records on the way.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "installer_tests/InstallerFixture.h"
#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "support/ProductTexts.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"

namespace orvelin::test {
namespace {

class CopyEngineTest : public InstallerTest {
protected:
    CopyEngineTest() { catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Application", .accountType = 1}); }

    void CopyApplication() { engine.CopyLocations(CategoryFolder(kInstalledApplic)); }
    void CopyNode(const std::wstring& destination, int level, int nodeId) {
        engine.CopyNodeFiles(CategoryFolder(kInstalledApplic), destination, level, nodeId);
    }

    CopyEngine engine = Engine(context.windows);

    // The run's error text for a copy that failed with this system error code.
    static std::wstring CopyError(DWORD code) {
        return L"Error executing copyFile " + SystemErrorMessage(code);
    }
};

struct BaseFolderCase {
    const char* name;
    WindowsPlatform windows;
    int kind;
    int expectedCsidl;   // 0: the native program files of the 64-bit registry view; -1: none
};

class BaseFolderTest : public CopyEngineTest, public ::testing::WithParamInterface<BaseFolderCase> {};

TEST_P(BaseFolderTest, FollowsTheLocationKindAndTheWindows) {
    const BaseFolderCase& c = GetParam();
    if (c.expectedCsidl == 0 && !OnA64BitWindows()) GTEST_SKIP() << "one program-files folder on 32-bit Windows";
    std::wstring expected;
    if (c.expectedCsidl == 0) expected = CompanyFolder(NativeProgramFilesFolder(), application) + L"\\";
    if (c.expectedCsidl > 0) expected = CompanyFolder(ShellFolder(c.expectedCsidl), application) + L"\\";
    EXPECT_EQ(Engine(c.windows).LocationBaseFolder(c.kind), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BaseFolderTest,
    ::testing::Values(BaseFolderCase{"Kind1", kWindows7, 1, CSIDL_PROGRAM_FILESX86},
                      BaseFolderCase{"Kind1OnXp", kWindowsXp, 1, CSIDL_PROGRAM_FILES},
                      BaseFolderCase{"Kind2", kWindows7, 2, 0},
                      BaseFolderCase{"Kind2On32BitWindows", WindowsPlatform{6, false}, 2, CSIDL_PROGRAM_FILES},
                      BaseFolderCase{"Kind3", kWindows7, 3, CSIDL_COMMON_APPDATA},
                      BaseFolderCase{"Kind4", kWindows7, 4, CSIDL_APPDATA},
                      BaseFolderCase{"Kind0", kWindows7, 0, -1}, BaseFolderCase{"Kind5", kWindows7, 5, -1},
                      BaseFolderCase{"KindMinus1", kWindowsXp, -1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFilesDirTest, NativeProgramFilesComeFromThe64BitRegistryView) {
    if (!OnA64BitWindows()) GTEST_SKIP() << "one program-files folder on 32-bit Windows";
    EXPECT_EQ(ReadProgramFilesDir(), NativeProgramFilesFolder());
    EXPECT_NE(ReadProgramFilesDir(), ShellFolder(CSIDL_PROGRAM_FILESX86));
}

struct FolderPathCase {
    const wchar_t* path;
    const wchar_t* checked;
};

class CheckFolderPathTest : public ::testing::TestWithParam<FolderPathCase> {};

TEST_P(CheckFolderPathTest, EndsWithExactlyOneAddedBackslash) {
    EXPECT_EQ(CheckFolderPath(GetParam().path, Translator()), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Paths, CheckFolderPathTest,
                         ::testing::Values(FolderPathCase{L"C:\\Program Files\\ORVELIN", L"C:\\Program Files\\ORVELIN\\"},
                                           FolderPathCase{L"C:\\Program Files\\ORVELIN\\", L"C:\\Program Files\\ORVELIN\\"},
                                           FolderPathCase{L"C:\\data\\\\", L"C:\\data\\\\"},
                                           FolderPathCase{L"C:", L"C:\\"}, FolderPathCase{L"\\", L"\\"},
                                           FolderPathCase{L" ", L" \\"}));

TEST(CheckFolderPathTest, BlankPathIsAnErrorInTheInterfaceLanguageWithItsBlank) {
    MessageDictionary arabic;
    arabic.Table().Append({std::wstring(text::PathIsBlank), std::wstring(L"\x0641\x0627\x0631\x063A")});
    for (const auto& [translate, expected] :
         {std::pair{Translator(), std::wstring(text::PathIsBlank) + L" "},
          std::pair{Translator(arabic), std::wstring(L"\x0641\x0627\x0631\x063A ")}}) {
        try {
            CheckFolderPath(L"", translate);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.Text(), expected);
        }
    }
}

TEST_F(CopyEngineTest, CopiesEachLocationKindIntoItsBaseFolder) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 1})
        .Add(CatalogueLocation{.minorId = 11, .parentId = 1, .title = L"NATIVE", .functionId = 2})
        .Add(CatalogueLocation{.minorId = 12, .parentId = 1, .title = L"DATA", .functionId = 3})
        .Add(CatalogueLocation{.minorId = 13, .parentId = 1, .title = L"USER", .functionId = 4})
        .Add(CatalogueLocation{.minorId = 14, .parentId = 1, .title = L"UNKNOWN", .functionId = 5})
        .Add(CatalogueLocation{.minorId = 15, .parentId = 1, .title = L"NOKIND"})
        .AddLocationFile(10, L"one.dll")
        .AddLocationFile(11, L"two.dll")
        .AddLocationFile(12, L"three.dat")
        .AddLocationFile(13, L"four.dat")
        .AddLocationFile(14, L"five.dat")
        .AddLocationFile(15, L"six.dat");
    for (auto name : {L"one.dll", L"two.dll", L"three.dat", L"four.dat", L"five.dat", L"six.dat"})
        PutSource(kInstalledApplic, name);
    LoadCatalogue();

    CopyApplication();

    const Lines copied = {BaseFolder(1) + L"BIN\\one.dll", BaseFolder(2) + L"NATIVE\\two.dll",
                          BaseFolder(3) + L"DATA\\three.dat", BaseFolder(4) + L"USER\\four.dat"};
    EXPECT_EQ(installed.paths, copied);
    for (const auto& file : copied) EXPECT_EQ(ReadFileBytes(file), ToUtf8(Source(kInstalledApplic, ExtractFileName(file))));
    EXPECT_EQ(engine.UsedFolders(), (Lines{BaseFolder(1) + L"BIN", BaseFolder(2) + L"NATIVE", BaseFolder(3) + L"DATA",
                                      BaseFolder(4) + L"USER"}));
    EXPECT_EQ(view.messages, Lines{});
    EXPECT_EQ(view.progressPosition, 4);
}

TEST_F(CopyEngineTest, ALocationWithFoldersCopiesOnlyItsFoldersFiles) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"OWN", .functionId = 3})
        .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"BIN"})
        .Add(CatalogueFolder{.detailId = 101, .parentId = 10, .title = L"DATA\\SUB"})
        .AddLocationFile(10, L"own.txt")
        .AddFolderFile(100, L"a.txt")
        .AddFolderFile(101, L"c.txt")
        .AddFolderFile(100, L"b.txt");
    for (auto name : {L"own.txt", L"a.txt", L"b.txt", L"c.txt"}) PutSource(kInstalledApplic, name);
    LoadCatalogue();

    CopyApplication();

    const std::wstring base = BaseFolder(3);
    EXPECT_EQ(installed.paths, (Lines{base + L"BIN\\a.txt", base + L"BIN\\b.txt", base + L"DATA\\SUB\\c.txt"}));
    EXPECT_FALSE(DirectoryExists(base + L"OWN"));
    EXPECT_EQ(ReadFileBytes(base + L"DATA\\SUB\\c.txt"), ToUtf8(Source(kInstalledApplic, L"c.txt")));
    EXPECT_EQ(engine.UsedFolders(), (Lines{base + L"BIN", base + L"DATA\\SUB"}));
    EXPECT_EQ(view.statuses,
              (Lines{L"Copying: " + Source(kInstalledApplic, L"a.txt"), L"Copying: " + Source(kInstalledApplic, L"b.txt"),
                     L"Copying: " + Source(kInstalledApplic, L"c.txt")}));
    EXPECT_EQ(view.progressPosition, 3);
}

TEST_F(CopyEngineTest, AnEmptyFirstDescriptionSkipsTheNode) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"LOC", .functionId = 3})
        .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"SKIPPED"})
        .Add(CatalogueFolder{.detailId = 101, .parentId = 10, .title = L"COPIED"})
        .AddFolderFile(100, L"")
        .AddFolderFile(100, L"a.txt")
        .AddFolderFile(101, L"b.txt");
    PutSource(kInstalledApplic, L"a.txt");
    PutSource(kInstalledApplic, L"b.txt");
    LoadCatalogue();

    CopyApplication();

    EXPECT_EQ(view.messages, Lines{L"Source file not found: " + CategoryFolder(kInstalledApplic) + L"\\"});
    EXPECT_FALSE(FileExists(BaseFolder(3) + L"SKIPPED\\a.txt"));
    EXPECT_EQ(installed.paths, Lines{BaseFolder(3) + L"COPIED\\b.txt"});
    EXPECT_EQ(engine.UsedFolders(), (Lines{BaseFolder(3) + L"SKIPPED", BaseFolder(3) + L"COPIED"}));
    EXPECT_EQ(view.progressPosition, 1);
}

TEST_F(CopyEngineTest, ANodeWithoutFilesStillGetsItsFolder) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"LOC", .functionId = 3})
        .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"EMPTY\\DEEP"});
    LoadCatalogue();
    view.progressPosition = 5;

    CopyApplication();

    EXPECT_TRUE(DirectoryExists(BaseFolder(3) + L"EMPTY\\DEEP"));
    EXPECT_EQ(engine.UsedFolders(), Lines{BaseFolder(3) + L"EMPTY\\DEEP"});
    EXPECT_EQ(view.progressPosition, 5);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(installed.paths.empty());
}

TEST_F(CopyEngineTest, AnExistingFileIsOverwritten) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"LOC", .functionId = 3})
        .AddLocationFile(10, L"a.txt");
    PutSource(kInstalledApplic, L"a.txt");
    LoadCatalogue();
    PutFile(BaseFolder(3) + L"LOC\\a.txt", "an older version of the file");

    CopyApplication();

    EXPECT_EQ(ReadFileBytes(BaseFolder(3) + L"LOC\\a.txt"), ToUtf8(Source(kInstalledApplic, L"a.txt")));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(CopyEngineTest, TheInstalledFileListFollowsTheCopyOrder) {
    const std::wstring base = ExcludeTrailingBackslash(setup / L"out");
    catalogue.AddFolderFile(100, L"b.txt").AddFolderFile(100, L"a.txt").AddFolderFile(101, L"a.txt");
    PutSource(kInstalledApplic, L"a.txt");
    PutSource(kInstalledApplic, L"b.txt");
    LoadCatalogue();
    ForceDirectories(base + L"\\ONE");
    ForceDirectories(base + L"\\TWO");

    CopyNode(base + L"\\ONE", kFolderLevel, 100);
    CopyNode(base + L"\\TWO", kFolderLevel, 101);
    CopyNode(base + L"\\ONE", kFolderLevel, 100);

    EXPECT_EQ(installed.paths, (Lines{base + L"\\ONE\\b.txt", base + L"\\ONE\\a.txt", base + L"\\TWO\\a.txt",
                                              base + L"\\ONE\\b.txt", base + L"\\ONE\\a.txt"}));
    EXPECT_EQ(engine.UsedFolders(), (Lines{base + L"\\ONE", base + L"\\TWO", base + L"\\ONE"}));
}

TEST_F(CopyEngineTest, TheLaterCopyOfTheMainExecutableIsTheShortcutTarget) {
    std::wstring lowerName = exeName;
    for (auto& c : lowerName) c = static_cast<wchar_t>(towlower(c));
    catalogue.Add(CatalogueApplication{.majorId = 2, .title = L"Common", .accountType = 2})
        .Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 3})
        .Add(CatalogueLocation{.minorId = 20, .parentId = 2, .title = L"COMMON", .functionId = 3})
        .AddLocationFile(10, lowerName)
        .AddLocationFile(20, L"other.dll")
        .AddLocationFile(20, lowerName);
    PutSource(kInstalledApplic, lowerName);
    PutSource(kCommonApplic, lowerName);
    PutSource(kCommonApplic, L"other.dll");
    LoadCatalogue();

    StandOnApplication(1);
    CopyApplication();
    EXPECT_EQ(installed.mainExecutable, BaseFolder(3) + L"BIN\\" + lowerName);
    EXPECT_EQ(installed.uninstallerSource, CategoryFolder(kInstalledApplic) + L"\\uninstall.exe");

    StandOnApplication(2);
    engine.CopyLocations(CategoryFolder(kCommonApplic));
    EXPECT_EQ(installed.mainExecutable, BaseFolder(3) + L"COMMON\\" + lowerName);
    EXPECT_EQ(installed.uninstallerSource, CategoryFolder(kCommonApplic) + L"\\uninstall.exe");
}

TEST_F(CopyEngineTest, OtherFilesLeaveTheShortcutTargetAlone) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 3})
        .AddLocationFile(10, L"X" + exeName)
        .AddLocationFile(10, ChangeFileExt(exeName, L".DLL"));
    PutSource(kInstalledApplic, L"X" + exeName);
    PutSource(kInstalledApplic, ChangeFileExt(exeName, L".DLL"));
    LoadCatalogue();

    CopyApplication();

    EXPECT_EQ(installed.paths.size(), 2u);
    EXPECT_EQ(installed.mainExecutable, L"");
    EXPECT_EQ(installed.uninstallerSource, L"");
}

struct MissingSourceCase {
    const char* name;
    int missing;   // which of the node's two files is absent
    bool noticed;  // only the first file is looked for before copying
};

class CopyEngineMissingSourceTest : public CopyEngineTest, public ::testing::WithParamInterface<MissingSourceCase> {};

TEST_P(CopyEngineMissingSourceTest, FailsWithTheSystemsErrorAndKeepsWhatWasCopied) {
    const Lines names = {L"first.txt", L"second.txt"};
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"DONE", .functionId = 3})
        .Add(CatalogueLocation{.minorId = 11, .parentId = 1, .title = L"FAILING", .functionId = 3})
        .AddLocationFile(10, L"done.txt")
        .AddLocationFile(11, names[0])
        .AddLocationFile(11, names[1]);
    PutSource(kInstalledApplic, L"done.txt");
    for (int i = 0; i < 2; ++i)
        if (i != GetParam().missing) PutSource(kInstalledApplic, names[i]);
    LoadCatalogue();

    try {
        CopyApplication();
        FAIL() << "the copy went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), CopyError(ERROR_FILE_NOT_FOUND));
    }

    const std::wstring missing = Source(kInstalledApplic, names[GetParam().missing]);
    Lines messages;
    if (GetParam().noticed) messages.push_back(L"Source file not found: " + missing);
    messages.push_back(missing + L"\n\r" + BaseFolder(3) + L"FAILING");
    EXPECT_EQ(view.messages, messages);

    Lines kept = {BaseFolder(3) + L"DONE\\done.txt"};
    if (GetParam().missing == 1) kept.push_back(BaseFolder(3) + L"FAILING\\first.txt");
    EXPECT_EQ(installed.paths, kept);
    for (const auto& file : kept) EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
    EXPECT_EQ(view.progressPosition, 1);   // the failing node never reached its step
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyEngineMissingSourceTest,
                         ::testing::Values(MissingSourceCase{"FirstFile", 0, true},
                                           MissingSourceCase{"LaterFile", 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

enum class Obstacle { FolderOfThatName, FileHeldOpen };

class CopyEngineBlockedDestinationTest : public CopyEngineTest, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(CopyEngineBlockedDestinationTest, FailsWithBothPathsShownFirst) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"LOC", .functionId = 3})
        .AddLocationFile(10, L"a.txt")
        .AddLocationFile(10, L"b.txt");
    PutSource(kInstalledApplic, L"a.txt");
    PutSource(kInstalledApplic, L"b.txt");
    LoadCatalogue();
    const std::wstring blocked = BaseFolder(3) + L"LOC\\b.txt";
    UniqueFile held;
    DWORD expectedCode = 0;
    if (GetParam() == Obstacle::FolderOfThatName) {
        ForceDirectories(blocked);
        expectedCode = ERROR_ACCESS_DENIED;
    } else {
        PutFile(blocked, "in use");
        held.Reset(CreateFileW(blocked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        expectedCode = ERROR_SHARING_VIOLATION;
    }

    try {
        CopyApplication();
        FAIL() << "the copy went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), CopyError(expectedCode));
    }
    EXPECT_EQ(view.messages, Lines{Source(kInstalledApplic, L"b.txt") + L"\n\r" + BaseFolder(3) + L"LOC"});
    EXPECT_EQ(installed.paths, Lines{BaseFolder(3) + L"LOC\\a.txt"});
    EXPECT_EQ(view.statuses, Lines{L"Copying: " + Source(kInstalledApplic, L"a.txt")});
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyEngineBlockedDestinationTest,
                         ::testing::Values(Obstacle::FolderOfThatName, Obstacle::FileHeldOpen),
                         [](const auto& info) {
                             return std::string(info.param == Obstacle::FolderOfThatName ? "FolderOfThatName"
                                                                                          : "FileHeldOpen");
                         });

TEST_F(CopyEngineTest, AMissingDestinationIsNoticedAndTheCopyFails) {
    catalogue.AddFolderFile(100, L"a.txt");
    PutSource(kInstalledApplic, L"a.txt");
    LoadCatalogue();
    const std::wstring destination = setup / L"never made";

    EXPECT_THROW(CopyNode(destination, kFolderLevel, 100), Error);

    EXPECT_EQ(view.messages, (Lines{L"distnation not found: " + destination + L"\\",
                                           Source(kInstalledApplic, L"a.txt") + L"\n\r" + destination}));
    EXPECT_EQ(engine.UsedFolders(), Lines{destination});
}

TEST_F(CopyEngineTest, TheProgressRangeCountsOnlyTheApplicationsOwnFiles) {
    PutSource(kInstalledApplic, L"a.exe");
    PutSource(kInstalledApplic, L"sub\\b.dll");
    PutSource(kInstalledApplic, L"sub\\deeper\\c.dat");
    PutSource(kCommonApplic, L"d.dll");
    PutSource(kThirdParty, L"VENDOR\\SETUP\\setup.exe");

    EXPECT_EQ(CountApplicationFiles(setup.Path()), 3);
}

}  // namespace
}  // namespace orvelin::test
