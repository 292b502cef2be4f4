// The real message box, answered by the dialog driver from the test's main thread while the
// question waits on a thread of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "shared/CommonHelpers.h"
#include "shared/Error.h"
#include "shared/TextUtil.h"
#include "support/DialogDriver.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

const std::wstring Question =
    L"Application database files and documents will be deleted. If you want to keep them, exit this application "
    L"and have them saved then run this program";

bool IsDefaultButton(HWND button) {
    return (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

}  // namespace

enum class Answer { Yes, No, Cancel, Escape, CloseBox };

struct AnswerCase {
    const char* name;
    Answer answer;
    bool result;
};

class AskConfirmationTest : public testing::TestWithParam<AnswerCase> {};

TEST_P(AskConfirmationTest, TrueOnlyForYes) {
    std::atomic<bool> answered{false};
    bool result = !GetParam().result;
    std::thread asking([&] {
        result = AskConfirmation(nullptr, Question);
        answered = true;
    });

    HWND box = WaitForTopLevelWindow(WindowOwner::Process(GetCurrentProcessId()), DialogClass, ApplicationTitle());
    if (box) {
        const auto texts = StaticTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), Question), texts.end()) << "the question, unchanged";
        for (const int id : {IDYES, IDNO, IDCANCEL}) EXPECT_NE(ChildById(box, id), nullptr) << "button " << id;
        EXPECT_EQ(ChildById(box, IDOK), nullptr);
        EXPECT_TRUE(IsDefaultButton(ChildById(box, IDYES))) << "Yes is the default button";
        EXPECT_FALSE(IsDefaultButton(ChildById(box, IDNO)));

        switch (GetParam().answer) {
            case Answer::Yes: PressButton(box, IDYES); break;
            case Answer::No: PressButton(box, IDNO); break;
            case Answer::Cancel: PressButton(box, IDCANCEL); break;
            case Answer::Escape: PressEscape(box); break;
            case Answer::CloseBox: PressCloseBox(box); break;
        }
        EXPECT_TRUE(WaitUntilDestroyed(box)) << "the box did not close";
    } else {
        ADD_FAILURE() << "no message box captioned " << ToUtf8(ApplicationTitle());
    }
    asking.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Answers, AskConfirmationTest,
                         testing::Values(AnswerCase{"Yes", Answer::Yes, true}, AnswerCase{"No", Answer::No, false},
                                         AnswerCase{"Cancel", Answer::Cancel, false},
                                         AnswerCase{"Escape", Answer::Escape, false},
                                         AnswerCase{"CloseBox", Answer::CloseBox, false}),
                         [](const auto& info) { return std::string(info.param.name); });
