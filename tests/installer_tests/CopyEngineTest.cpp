// The copy engine: base folders by location kind, destination folders, the copy of each
// node's files and what it records on the way.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "installer_tests/InstallerFixture.h"
#include "shared/CommonHelpers.h"
#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/TextUtil.h"

namespace orvelin::test {
namespace {

using Lines = std::vector<std::wstring>;

class CopyEngineTest : public InstallerTest {
protected:
    CopyEngineTest() {
        state.PlatForm64 = OnA64BitWindows();
        run.currentSourceFolder = CategoryFolder(kInstalledApplic);
        catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Application", .accountType = 1});
    }

    // The run's error text for a copy that failed with this system error code.
    static std::wstring CopyError(DWORD code) {
        return L"Error executing copyFile " + SystemErrorMessage(code);
    }
};

TEST_F(CopyEngineTest, BaseFolderFollowsTheLocationKind) {
    for (int kind : {1, 2, 3, 4}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(run.LocationBaseFolder(kind), BaseFolder(kind));
    }
    for (int kind : {0, 5, -1}) EXPECT_EQ(run.LocationBaseFolder(kind), L"") << kind;

    state.PlatForm64 = false;
    EXPECT_EQ(run.LocationBaseFolder(2), ShellFolder(CSIDL_PROGRAM_FILES) + L"\\ORVELIN\\" + application + L"\\");
}

TEST_F(CopyEngineTest, NativeProgramFilesComeFromThe64BitRegistryView) {
    if (!OnA64BitWindows()) GTEST_SKIP() << "one program-files folder on 32-bit Windows";
    state.PlatForm64 = true;
    EXPECT_EQ(run.ReadProgramFilesDir(), NativeProgramFilesFolder());
    EXPECT_EQ(run.LocationBaseFolder(2), NativeProgramFilesFolder() + L"\\ORVELIN\\" + application + L"\\");
    EXPECT_NE(run.LocationBaseFolder(2), run.LocationBaseFolder(1));
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

    run.CopyLocations();

    const Lines copied = {BaseFolder(1) + L"BIN\\one.dll", BaseFolder(2) + L"NATIVE\\two.dll",
                          BaseFolder(3) + L"DATA\\three.dat", BaseFolder(4) + L"USER\\four.dat"};
    EXPECT_EQ(state.InstalledFileList, copied);
    for (const auto& file : copied) EXPECT_EQ(FileText(file), ToUtf8(Source(kInstalledApplic, ExtractFileName(file))));
    EXPECT_EQ(run.usedFolders, (Lines{BaseFolder(1) + L"BIN", BaseFolder(2) + L"NATIVE", BaseFolder(3) + L"DATA",
                                      BaseFolder(4) + L"USER"}));
    EXPECT_EQ(view.script.messages, Lines{});
    EXPECT_EQ(view.ProgressPosition(), 4);
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

    run.CopyLocations();

    const std::wstring base = BaseFolder(3);
    EXPECT_EQ(state.InstalledFileList, (Lines{base + L"BIN\\a.txt", base + L"BIN\\b.txt", base + L"DATA\\SUB\\c.txt"}));
    EXPECT_FALSE(DirectoryExists(base + L"OWN"));
    EXPECT_EQ(FileText(base + L"DATA\\SUB\\c.txt"), ToUtf8(Source(kInstalledApplic, L"c.txt")));
    EXPECT_EQ(run.usedFolders, (Lines{base + L"BIN", base + L"DATA\\SUB"}));
    EXPECT_EQ(view.script.statuses,
              (Lines{L"Copying: " + Source(kInstalledApplic, L"a.txt"), L"Copying: " + Source(kInstalledApplic, L"b.txt"),
                     L"Copying: " + Source(kInstalledApplic, L"c.txt")}));
    EXPECT_EQ(view.ProgressPosition(), 3);
    EXPECT_EQ(view.script.pumps, 2);   // once per node
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

    run.CopyLocations();

    EXPECT_EQ(view.script.messages, Lines{L"Source file not found: " + CategoryFolder(kInstalledApplic) + L"\\"});
    EXPECT_FALSE(FileExists(BaseFolder(3) + L"SKIPPED\\a.txt"));
    EXPECT_EQ(state.InstalledFileList, Lines{BaseFolder(3) + L"COPIED\\b.txt"});
    EXPECT_EQ(run.usedFolders, (Lines{BaseFolder(3) + L"SKIPPED", BaseFolder(3) + L"COPIED"}));
    EXPECT_EQ(view.ProgressPosition(), 1);
    EXPECT_EQ(view.script.pumps, 1);   // the skipped node ends before the window's turn
}

TEST_F(CopyEngineTest, ANodeWithoutFilesStillGetsItsFolder) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"LOC", .functionId = 3})
        .Add(CatalogueFolder{.detailId = 100, .parentId = 10, .title = L"EMPTY\\DEEP"});
    LoadCatalogue();
    view.SetProgressPosition(5);

    run.CopyLocations();

    EXPECT_TRUE(DirectoryExists(BaseFolder(3) + L"EMPTY\\DEEP"));
    EXPECT_EQ(run.usedFolders, Lines{BaseFolder(3) + L"EMPTY\\DEEP"});
    EXPECT_EQ(view.ProgressPosition(), 5);
    EXPECT_EQ(view.script.pumps, 1);
    EXPECT_TRUE(view.script.messages.empty());
    EXPECT_TRUE(state.InstalledFileList.empty());
}

TEST_F(CopyEngineTest, AnExistingFileIsOverwritten) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"LOC", .functionId = 3})
        .AddLocationFile(10, L"a.txt");
    PutSource(kInstalledApplic, L"a.txt");
    LoadCatalogue();
    WriteFileBytes(BaseFolder(3) + L"LOC\\a.txt", "an older version of the file");

    run.CopyLocations();

    EXPECT_EQ(FileText(BaseFolder(3) + L"LOC\\a.txt"), ToUtf8(Source(kInstalledApplic, L"a.txt")));
    EXPECT_TRUE(view.script.messages.empty());
}

TEST_F(CopyEngineTest, TheInstalledFileListFollowsTheCopyOrder) {
    const std::wstring base = ExcludeTrailingBackslash(setup / L"out");
    catalogue.AddFolderFile(100, L"b.txt").AddFolderFile(100, L"a.txt").AddFolderFile(101, L"a.txt");
    PutSource(kInstalledApplic, L"a.txt");
    PutSource(kInstalledApplic, L"b.txt");
    LoadCatalogue();
    ForceDirectories(base + L"\\ONE");
    ForceDirectories(base + L"\\TWO");

    run.CopyNodeFiles(base + L"\\ONE", kFolderLevel, 100);
    run.CopyNodeFiles(base + L"\\TWO", kFolderLevel, 101);
    run.CopyNodeFiles(base + L"\\ONE", kFolderLevel, 100);

    EXPECT_EQ(state.InstalledFileList, (Lines{base + L"\\ONE\\b.txt", base + L"\\ONE\\a.txt", base + L"\\TWO\\a.txt",
                                              base + L"\\ONE\\b.txt", base + L"\\ONE\\a.txt"}));
    EXPECT_EQ(run.usedFolders, (Lines{base + L"\\ONE", base + L"\\TWO", base + L"\\ONE"}));
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
    run.CopyLocations();
    EXPECT_EQ(state.ShortcutTarget, BaseFolder(3) + L"BIN\\" + lowerName);
    EXPECT_EQ(state.UninstallProgPath, CategoryFolder(kInstalledApplic) + L"\\uninstall.exe");

    StandOnApplication(2);
    run.currentSourceFolder = CategoryFolder(kCommonApplic);
    run.CopyLocations();
    EXPECT_EQ(state.ShortcutTarget, BaseFolder(3) + L"COMMON\\" + lowerName);
    EXPECT_EQ(state.UninstallProgPath, CategoryFolder(kCommonApplic) + L"\\uninstall.exe");
}

TEST_F(CopyEngineTest, OtherFilesLeaveTheShortcutTargetAlone) {
    catalogue.Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 3})
        .AddLocationFile(10, L"X" + exeName)
        .AddLocationFile(10, ChangeFileExt(exeName, L".DLL"));
    PutSource(kInstalledApplic, L"X" + exeName);
    PutSource(kInstalledApplic, ChangeFileExt(exeName, L".DLL"));
    LoadCatalogue();

    run.CopyLocations();

    EXPECT_EQ(state.InstalledFileList.size(), 2u);
    EXPECT_EQ(state.ShortcutTarget, L"");
    EXPECT_EQ(state.UninstallProgPath, L"");
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
        run.CopyLocations();
        FAIL() << "the copy went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), CopyError(ERROR_FILE_NOT_FOUND));
    }

    const std::wstring missing = Source(kInstalledApplic, names[GetParam().missing]);
    Lines messages;
    if (GetParam().noticed) messages.push_back(L"Source file not found: " + missing);
    messages.push_back(missing + L"\n\r" + BaseFolder(3) + L"FAILING");
    EXPECT_EQ(view.script.messages, messages);

    Lines kept = {BaseFolder(3) + L"DONE\\done.txt"};
    if (GetParam().missing == 1) kept.push_back(BaseFolder(3) + L"FAILING\\first.txt");
    EXPECT_EQ(state.InstalledFileList, kept);
    for (const auto& file : kept) EXPECT_TRUE(FileExists(file)) << ToUtf8(file);
    EXPECT_EQ(view.ProgressPosition(), 1);   // the failing node never reached its step
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
        WriteFileBytes(blocked, "in use");
        held.Reset(CreateFileW(blocked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        expectedCode = ERROR_SHARING_VIOLATION;
    }

    try {
        run.CopyLocations();
        FAIL() << "the copy went on";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), CopyError(expectedCode));
    }
    EXPECT_EQ(view.script.messages, Lines{Source(kInstalledApplic, L"b.txt") + L"\n\r" + BaseFolder(3) + L"LOC"});
    EXPECT_EQ(state.InstalledFileList, Lines{BaseFolder(3) + L"LOC\\a.txt"});
    EXPECT_EQ(view.script.statuses, Lines{L"Copying: " + Source(kInstalledApplic, L"a.txt")});
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

    EXPECT_THROW(run.CopyNodeFiles(destination, kFolderLevel, 100), Error);

    EXPECT_EQ(view.script.messages, (Lines{L"distnation not found: " + destination + L"\\",
                                           Source(kInstalledApplic, L"a.txt") + L"\n\r" + destination}));
    EXPECT_EQ(run.usedFolders, Lines{destination});
}

TEST_F(CopyEngineTest, TheProgressRangeCountsOnlyTheApplicationsOwnFiles) {
    PutSource(kInstalledApplic, L"a.exe");
    PutSource(kInstalledApplic, L"sub\\b.dll");
    PutSource(kInstalledApplic, L"sub\\deeper\\c.dat");
    PutSource(kCommonApplic, L"d.dll");
    PutSource(kThirdParty, L"VENDOR\\SETUP\\setup.exe");
    view.SetProgressPosition(2);

    run.SetProgressRange();

    EXPECT_EQ(view.script.progressMax, 3);
    EXPECT_EQ(view.ProgressPosition(), 2);
}

}  // namespace
}  // namespace orvelin::test
