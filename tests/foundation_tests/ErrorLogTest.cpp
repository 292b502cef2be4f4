#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/ErrorLog.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

using namespace orvelin;
using orvelin::test::TempFolder;
using orvelin::test::PutFile;

namespace {
const std::string kHeader =
    "   Date   \t   Time   \t           Error\r\n"
    "  ------  \t  ------- \t         ---------\r\n";

std::string TenLines() {
    std::string text = kHeader;
    for (int i = 3; i <= 10; ++i) text += "01/02/2026\t10:0" + std::to_string(i % 10) + "\tline " + std::to_string(i) + "\r\n";
    return text;
}
}  // namespace

TEST(ErrorLogTest, FirstStartWritesTheTwoHeaderLinesAtTheEnd) {
    TempFolder dir;
    ErrorLog log;
    log.Open(dir.Path());
    EXPECT_EQ(log.FileName(), dir / L"ClientError.log");
    EXPECT_FALSE(FileExists(dir / L"ClientError.log"));   // nothing on disk during the run
    ASSERT_TRUE(log.Save());
    const std::string bytes = ReadFileBytes(dir / L"ClientError.log");
    EXPECT_EQ(bytes, kHeader);
    EXPECT_EQ(bytes.size(), 82u);
    EXPECT_FALSE(FileExists(dir / L"ClientError.BAK"));
}

TEST(ErrorLogTest, EachStartTurnsTheLogIntoTheBackupAndWritesItBackUnchanged) {
    struct Case {
        const char* name;
        std::string content;
    };
    for (const Case& c : {Case{"header", kHeader}, Case{"ten lines", TenLines()},
                          Case{"utf-8 with mark", "\xEF\xBB\xBF" + kHeader + "\xD8\xAE\xD8\xB7\xD8\xA3\r\n"},
                          Case{"utf-16 with mark", std::string("\xFF\xFE" "A\0\r\0\n\0", 8)}}) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        PutFile(dir / L"ClientError.log", c.content);
        PutFile(dir / L"ClientError.BAK", "old backup");
        ErrorLog log;
        log.Open(dir.Path());
        EXPECT_FALSE(FileExists(dir / L"ClientError.log"));
        EXPECT_EQ(ReadFileBytes(dir / L"ClientError.BAK"), c.content);
        ASSERT_TRUE(log.Save());
        EXPECT_EQ(ReadFileBytes(dir / L"ClientError.log"), c.content);
        EXPECT_EQ(ReadFileBytes(dir / L"ClientError.BAK"), c.content);
    }
}

TEST(ErrorLogTest, FailedSaveKeepsTheBackupAndDoesNotThrow) {
    TempFolder dir;
    PutFile(dir / L"ClientError.log", TenLines());
    ErrorLog log;
    log.Open(dir.Path());
    // A folder in the log's place makes the write fail on every Windows.
    ASSERT_TRUE(CreateDirectoryW((dir / L"ClientError.log").c_str(), nullptr));
    EXPECT_FALSE(log.Save());
    EXPECT_EQ(ReadFileBytes(dir / L"ClientError.BAK"), TenLines());
}

TEST(ErrorLogTest, MissingFolderIsCreatedOneLevelOnly) {
    TempFolder dir;
    ErrorLog created;
    created.Open(dir / L"Error Log\\");
    EXPECT_TRUE(DirectoryExists(dir / L"Error Log"));
    EXPECT_EQ(created.Lines().size(), 2u);

    ErrorLog uncreatable;
    uncreatable.Open(dir / L"missing\\Error Log\\");
    EXPECT_FALSE(DirectoryExists(dir / L"missing"));
    EXPECT_TRUE(uncreatable.Lines().empty());
    EXPECT_FALSE(uncreatable.Save());
}

TEST(ErrorLogTest, BinaryAndHugeLogsSurviveWithoutHarm) {
    TempFolder dir;
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    std::string huge;
    while (huge.size() < 16 * 1024 * 1024) huge += "01/02/2026\t10:00\tsomething went wrong somewhere\r\n";
    for (const std::string& content : {binary, huge}) {
        PutFile(dir / L"ClientError.log", content);
        ErrorLog log;
        log.Open(dir.Path());
        EXPECT_TRUE(log.Save());
        EXPECT_TRUE(FileExists(dir / L"ClientError.log"));
        EXPECT_EQ(ReadFileBytes(dir / L"ClientError.BAK"), content);
    }
    EXPECT_EQ(ReadFileBytes(dir / L"ClientError.log"), huge);
}
