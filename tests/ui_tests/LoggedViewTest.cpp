#include <gtest/gtest.h>

#include <optional>

#include "foundation/RunLog.h"
#include "support/LogFile.h"
#include "support/ScriptedView.h"
#include "support/TempFolder.h"
#include "ui/LoggedView.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

struct WhoCase {
    const char* name;
    bool window;                              // a window shows the progress
    std::optional<UnattendedAnswers> answers; // nobody there: the command line answers
    bool setupAnswer;                         // the answer to "run the setup program?"
    bool windowAsked;
};

class LoggedViewTest : public testing::TestWithParam<WhoCase> {};

TEST_P(LoggedViewTest, LogsEverythingAndAsksOnlyAPersonWhoIsThere) {
    const WhoCase& c = GetParam();
    TempFolder folder;
    RunLog log(folder / L"run.log");
    ScriptedView window;
    window.answers = {true, false};
    LoggedView<RunView> view(c.window ? &window : nullptr, log, c.answers);

    view.SetStatus(L"Copying: a.txt");
    view.StepProgress(3);
    view.ShowMessage(L"first line\r\nsecond line");
    view.ShowError(L"Error executing copyFile");
    const bool runSetup = view.Ask(Question::RunSetupProgram, L"Run it?");
    const bool uninstall = view.Ask(Question::ConfirmUninstall, L"Remove?");

    EXPECT_EQ(runSetup, c.setupAnswer);
    EXPECT_TRUE(uninstall || (c.window && !c.answers));
    const std::wstring how = c.answers ? L" (unattended)" : L"";
    EXPECT_EQ(LogEvents(log.Path()),
              (std::vector<std::wstring>{L"Status: Copying: a.txt", L"Message: first line | second line",
                                         L"Error: Error executing copyFile",
                                         L"Question: Run it? -> " + std::wstring(runSetup ? L"Yes" : L"No") + how,
                                         L"Question: Remove? -> " + std::wstring(uninstall ? L"Yes" : L"No") + how}));
    // The window always shows the progress; its boxes only when someone is there to close them.
    EXPECT_EQ(window.statuses.size(), c.window ? 1u : 0u);
    EXPECT_EQ(window.progressPosition, c.window ? 3 : 0);
    EXPECT_EQ(window.messages.size(), c.windowAsked ? 1u : 0u);
    EXPECT_EQ(window.errors.size(), c.windowAsked ? 1u : 0u);
    EXPECT_EQ(window.questions.size(), c.windowAsked ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Who, LoggedViewTest,
    testing::Values(WhoCase{"PersonAtTheWindow", true, std::nullopt, true, true},
                    WhoCase{"PassiveRunningTheSetups", true, UnattendedAnswers{true}, true, false},
                    WhoCase{"PassiveWithoutSetups", true, UnattendedAnswers{false}, false, false},
                    WhoCase{"QuietWithoutAWindow", false, UnattendedAnswers{true}, true, false}),
    [](const testing::TestParamInfo<WhoCase>& info) { return std::string(info.param.name); });

}  // namespace
