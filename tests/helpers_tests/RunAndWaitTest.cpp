#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "shared/CommonHelpers.h"
#include "shared/FileSystem.h"
#include "shared/TextUtil.h"
#include "support/DialogDriver.h"
#include "support/ScriptedView.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// tests/helpers/exit_after.cpp under a name that tells it how long to run and how to end,
// as the shell starts it without arguments.
std::wstring ProgramEndingAfter(const TempFolder& folder, int milliseconds, int exitCode) {
    const std::wstring copy =
        folder / (L"exit_after_" + std::to_wstring(milliseconds) + L"_" + std::to_wstring(exitCode) + L".exe");
    const std::wstring original = ExtractFilePath(ModuleFilePath()) + L"exit_after.exe";
    EXPECT_TRUE(CopyFileW(original.c_str(), copy.c_str(), FALSE)) << GetLastError();
    return copy;
}

Clock::duration TimeOf(ScriptedView& view, const std::wstring& file, bool sleepMode) {
    const auto start = Clock::now();
    RunAndWait(view, file, sleepMode);
    return Clock::now() - start;
}

}  // namespace

TEST(RunAndWaitTest, SleepModeNoticesTheEndOnlyAtItsThreeSecondPoll) {
    TempFolder folder;
    ScriptedView view;
    const auto elapsed = TimeOf(view, ProgramEndingAfter(folder, 1000, 0), true);
    EXPECT_GE(elapsed, 2500ms);
    EXPECT_LT(elapsed, 20s);
    EXPECT_EQ(view.pumps, 0) << "no window messages are handled in sleep mode";
    EXPECT_TRUE(view.messages.empty());
}

TEST(RunAndWaitTest, MessageModeReturnsWhenTheProgramEndsWithoutSpinning) {
    TempFolder folder;
    ScriptedView view;
    const auto elapsed = TimeOf(view, ProgramEndingAfter(folder, 1000, 0), false);
    EXPECT_GE(elapsed, 900ms) << "waited for the program";
    EXPECT_LT(elapsed, 2500ms);
    EXPECT_GE(view.pumps, 1);
    EXPECT_LT(view.pumps, 20) << "the wait sleeps until the process ends or a message comes";
    EXPECT_TRUE(view.messages.empty());
}

// 259 is STILL_ACTIVE: a wait on the exit code would take the ended program for a running one.
class StillActiveExitCodeTest : public testing::TestWithParam<bool> {};

TEST_P(StillActiveExitCodeTest, ProgramEndingWithCode259IsSeenToEnd) {
    TempFolder folder;
    ScriptedView view;
    const auto elapsed = TimeOf(view, ProgramEndingAfter(folder, 500, STILL_ACTIVE), GetParam());
    EXPECT_LT(elapsed, 10s);
}

INSTANTIATE_TEST_SUITE_P(Modes, StillActiveExitCodeTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "SleepMode" : "MessageMode"; });

TEST(RunAndWaitTest, MessageModeEndsWhenTheProgramIsAskedToEnd) {
    TempFolder folder;
    ScriptedView view;
    view.quitRequested = true;
    const auto elapsed = TimeOf(view, ProgramEndingAfter(folder, 3000, 0), false);
    EXPECT_LT(elapsed, 2000ms);
    EXPECT_EQ(view.pumps, 1);
}

class UnstartableFileTest : public testing::TestWithParam<const char*> {};

TEST_P(UnstartableFileTest, ShellRefusalIsShownAndTheCallerGoesOn) {
    TempFolder folder;
    const std::string kind = GetParam();
    std::wstring file = folder / L"missing.exe";
    if (kind == "no-association") {
        file = folder / L"data.orvelin-unknown";
        WriteFileBytes(file, "data");
    }
    ScriptedView view;
    std::atomic<bool> returned{false};
    std::thread run([&] {
        RunAndWait(view, file, false);
        returned = true;
    });
    // The shell may explain its refusal in a box of its own first; the user closes it.
    const auto deadline = Clock::now() + 30s;
    while (!returned && Clock::now() < deadline) {
        for (HWND box : FindTopLevelWindows(WindowOwner::Process(GetCurrentProcessId()), DialogClass))
            PressButton(box, ChildById(box, IDCANCEL) ? IDCANCEL : IDOK);
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(returned) << "RunAndWait did not return";
    run.join();
    EXPECT_EQ(view.messages, std::vector<std::wstring>{L"Error starting the application!"});
    EXPECT_TRUE(view.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, UnstartableFileTest, testing::Values("missing", "no-association"),
                         [](const auto& info) { return std::string(info.param) == "missing" ? "Missing" : "NoAssociation"; });
