#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace orvelin;

TEST(SystemErrorMessageTest, CarriesCodeAndSystemTextWithoutTrailingFullStop) {
    const std::wstring message = SystemErrorMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(message.rfind(L"System Error.  Code: 2.\r\n", 0), 0u) << ToUtf8(message);
    const std::wstring reason = message.substr(25);
    EXPECT_FALSE(reason.empty());
    EXPECT_NE(reason.back(), L'.');
    EXPECT_EQ(reason, SystemErrorText(ERROR_FILE_NOT_FOUND));
}

TEST(SystemErrorMessageTest, CodeZeroHasItsOwnText) {
    EXPECT_EQ(SystemErrorMessage(0), L"A call to an OS function failed");
}

TEST(SystemErrorMessageTest, RaiseLastOSErrorThrowsTheMessage) {
    try {
        RaiseLastOSError(ERROR_ACCESS_DENIED);
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), SystemErrorMessage(ERROR_ACCESS_DENIED));
    }
}

TEST(SubstituteTest, ReplacesPlaceholdersInOrder) {
    EXPECT_EQ(Substitute(L"Cannot open file \"%s\". %s", {L"C:\\a.xml", L"gone"}),
              L"Cannot open file \"C:\\a.xml\". gone");
    EXPECT_EQ(Substitute(L"Code: %d, %s", {L"5"}), L"Code: 5, %s");
}
