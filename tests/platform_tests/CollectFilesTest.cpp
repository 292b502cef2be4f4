#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;

class CollectFilesTest : public testing::Test {
protected:
    void Write(const std::wstring& relative) { PutFile(folder_ / relative, "x"); }
    std::vector<std::wstring> Collect(const std::wstring& mask) {
        std::vector<std::wstring> list;
        CollectFiles(list, ExcludeTrailingBackslash(folder_.Path()), mask);
        return list;
    }
    std::wstring At(const std::wstring& relative) const { return folder_ / relative; }

    TempFolder folder_;
};

TEST_F(CollectFilesTest, FilesBeforeSubfoldersAndNothingFromDotFolders) {
    Write(L"a.txt");
    Write(L"B\\b.txt");
    Write(L".git\\c.txt");
    EXPECT_EQ(Collect(L"*.*"), (std::vector<std::wstring>{At(L"a.txt"), At(L"B\\b.txt")}));
}

TEST_F(CollectFilesTest, FolderFilesComeBeforeThoseOfSubfoldersWhateverTheirNames) {
    Write(L"z.txt");
    Write(L"A\\a.txt");
    Write(L"A\\Deeper\\d.txt");
    EXPECT_EQ(Collect(L"*.*"), (std::vector<std::wstring>{At(L"z.txt"), At(L"A\\a.txt"), At(L"A\\Deeper\\d.txt")}));
}

TEST_F(CollectFilesTest, MaskSelectsFilesButEverySubfolderIsEntered) {
    Write(L"x.log");
    Write(L"a.txt");
    Write(L"Notes\\y.log");            // a folder whose name does not match the mask
    Write(L"Notes\\Sub.log\\z.log");   // one whose name matches: entered, not listed
    Write(L"Notes\\Sub.log\\w.txt");
    EXPECT_EQ(Collect(L"*.log"),
              (std::vector<std::wstring>{At(L"x.log"), At(L"Notes\\y.log"), At(L"Notes\\Sub.log\\z.log")}));
}

TEST_F(CollectFilesTest, HiddenAndSystemFilesAreCollected) {
    Write(L"hidden.txt");
    Write(L"system.txt");
    SetFileAttributesW(At(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(At(L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    auto list = Collect(L"*.txt");
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (std::vector<std::wstring>{At(L"hidden.txt"), At(L"system.txt")}));
}

TEST_F(CollectFilesTest, ListIsAppendedToAndMissingFolderAddsNothing) {
    Write(L"a.txt");
    std::vector<std::wstring> list{L"kept"};
    CollectFiles(list, folder_ / L"missing", L"*.*");
    CollectFiles(list, folder_.Path(), L"*.*");
    EXPECT_EQ(list, (std::vector<std::wstring>{L"kept", At(L"a.txt")}));
}
