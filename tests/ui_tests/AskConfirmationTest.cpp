// The real message box, answered by the UI driver from the test's main thread while the
// question waits on a thread of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "platform/Text.h"
#include "support/ProductTexts.h"
#include "support/UiDriver.h"
#include "ui/MessageBoxes.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

bool IsDefaultButton(HWND box, int id) {
    return (GetWindowLongPtrW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

enum class Reply { Yes, No, Cancel, Escape, CloseBox };

struct AnswerCase {
    const char* name;
    Reply reply;
    bool result;
};

class AskConfirmationTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(AskConfirmationTest, TrueOnlyForYes) {
    std::atomic<bool> answered{false};
    bool result = !GetParam().result;
    std::thread asking([&] {
        result = AskConfirmation(nullptr, text::UninstallConfirmation);
        answered = true;
    });

    if (const auto box = WaitForOwnMessageBox()) {
        EXPECT_EQ(box->caption, ApplicationTitle());
        EXPECT_EQ(ToUtf8(box->text), ToUtf8(text::UninstallConfirmation)) << "the question, unchanged";
        std::vector<int> buttons = box->buttons;
        std::sort(buttons.begin(), buttons.end());
        EXPECT_EQ(buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
        EXPECT_TRUE(IsDefaultButton(box->window, IDYES)) << "Yes is the default button";
        EXPECT_FALSE(IsDefaultButton(box->window, IDNO));

        switch (GetParam().reply) {
            case Reply::Yes: Click(box->window, IDYES); break;
            case Reply::No: Click(box->window, IDNO); break;
            case Reply::Cancel: Click(box->window, IDCANCEL); break;
            case Reply::Escape: PressEscape(box->window); break;
            case Reply::CloseBox: PressCloseBox(box->window); break;
        }
        EXPECT_TRUE(WaitUntilDestroyed(box->window)) << "the box did not close";
    } else {
        ADD_FAILURE() << "no message box";
    }
    asking.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Answers, AskConfirmationTest,
                         testing::Values(AnswerCase{"Yes", Reply::Yes, true}, AnswerCase{"No", Reply::No, false},
                                         AnswerCase{"Cancel", Reply::Cancel, false},
                                         AnswerCase{"Escape", Reply::Escape, false},
                                         AnswerCase{"CloseBox", Reply::CloseBox, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
