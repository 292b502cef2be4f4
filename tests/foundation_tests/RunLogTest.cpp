#include <gtest/gtest.h>

#include <cwctype>

#include "foundation/RunLog.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

using namespace orvelin;
using orvelin::test::TempFolder;

namespace {

TEST(RunLogTest, EveryLineHasItsTimeAndGoesToTheFileAtOnce) {
    TempFolder folder;
    RunLog log(folder / L"run.log");
    log.Write(L"Status: Copying: \x062A\x0642\x0631\x064A\x0631.txt");
    log.Write(L"Message: first\r\nsecond\n\rthird\nfourth");

    // Read while the log is still open, as a deployment tool may.
    const std::string bytes = ReadFileBytes(log.Path());
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << "UTF-8 with its mark";
    const std::wstring text = FromUtf8(bytes.substr(3));
    const size_t firstEnd = text.find(L"\r\n");
    ASSERT_NE(firstEnd, std::wstring::npos);
    const std::wstring first = text.substr(0, firstEnd);
    // "yyyy-mm-dd hh:mm:ss.mmm  "
    ASSERT_GT(first.size(), 25u);
    for (const size_t digit : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u, 11u, 12u, 14u, 15u, 17u, 18u, 20u, 21u, 22u})
        EXPECT_TRUE(iswdigit(first[digit])) << ToUtf8(first);
    EXPECT_EQ(first.substr(23), L"  Status: Copying: \x062A\x0642\x0631\x064A\x0631.txt");
    EXPECT_EQ(text.substr(firstEnd + 2 + 25), L"Message: first | second | third | fourth\r\n");

    EXPECT_TRUE(log.CopyTo(folder / L"copy.log"));
    EXPECT_EQ(ReadFileBytes(folder / L"copy.log"), bytes);
}

TEST(RunLogTest, DefaultNameTellsTheProgramTheProductAndTheTime) {
    const std::wstring path = DefaultLogPath(L"C:\\Temp\\", L"install", L"{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}");
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(path.size(), std::wstring(L"C:\\Temp\\install_{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}_20261210_153012_.log")
                               .size() + pid.size());
    EXPECT_TRUE(path.starts_with(L"C:\\Temp\\install_{5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}_")) << ToUtf8(path);
    EXPECT_TRUE(path.ends_with(L"_" + pid + L".log"));
    EXPECT_TRUE(DefaultLogPath(L"C:\\Temp\\", L"uninstall", L"").starts_with(L"C:\\Temp\\uninstall_"));
}

TEST(RunLogTest, AFileThatCannotBeCreatedIsAnError) {
    TempFolder folder;
    EXPECT_THROW(RunLog(folder / L"missing folder\\run.log"), Error);
}

}  // namespace
