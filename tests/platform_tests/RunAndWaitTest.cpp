#include <gtest/gtest.h>

#include <chrono>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
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

// Runs the file; how long it took and how often the caller's messages were handled.
struct Waited {
    ProgramRun run;
    Clock::duration elapsed;
    int pumps = 0;
};

Waited Wait(const std::wstring& file, WaitMode mode, bool programEnding = false) {
    Waited waited;
    const auto start = Clock::now();
    waited.run = RunAndWait(file, L"", nullptr, mode, [&] {
        ++waited.pumps;
        return !programEnding;
    });
    waited.elapsed = Clock::now() - start;
    return waited;
}

TEST(RunAndWaitTest, SleepModeNoticesTheEndOnlyAtItsThreeSecondPoll) {
    TempFolder folder;
    const Waited waited = Wait(ProgramEndingAfter(folder, 1000, 7), WaitMode::Sleeping);
    EXPECT_GE(waited.elapsed, 2500ms);
    EXPECT_LT(waited.elapsed, 20s);
    EXPECT_EQ(waited.pumps, 0) << "no window messages are handled in sleep mode";
    EXPECT_TRUE(waited.run.started);
    EXPECT_EQ(waited.run.exitCode, 7u);
}

TEST(RunAndWaitTest, MessageModeReturnsWhenTheProgramEndsWithoutSpinning) {
    TempFolder folder;
    const Waited waited = Wait(ProgramEndingAfter(folder, 1000, 0), WaitMode::HandlingMessages);
    EXPECT_GE(waited.elapsed, 900ms) << "waited for the program";
    EXPECT_LT(waited.elapsed, 2500ms);
    EXPECT_LT(waited.pumps, 20) << "the wait sleeps until the process ends or a message comes";
    EXPECT_EQ(waited.run.exitCode, 0u);
}

// 259 is STILL_ACTIVE: a wait on the exit code would take the ended program for a running one.
class StillActiveExitCodeTest : public testing::TestWithParam<WaitMode> {};

TEST_P(StillActiveExitCodeTest, ProgramEndingWithCode259IsSeenToEnd) {
    TempFolder folder;
    const Waited waited = Wait(ProgramEndingAfter(folder, 500, STILL_ACTIVE), GetParam());
    EXPECT_LT(waited.elapsed, 10s);
    EXPECT_EQ(waited.run.exitCode, static_cast<DWORD>(STILL_ACTIVE));
}

INSTANTIATE_TEST_SUITE_P(Modes, StillActiveExitCodeTest, testing::Values(WaitMode::Sleeping, WaitMode::HandlingMessages),
                         [](const auto& info) { return info.param == WaitMode::Sleeping ? "SleepMode" : "MessageMode"; });

TEST(RunAndWaitTest, MessageModeEndsWhenTheProgramIsAskedToEnd) {
    TempFolder folder;
    const Waited waited = Wait(ProgramEndingAfter(folder, 3000, 0), WaitMode::HandlingMessages, true);
    EXPECT_LT(waited.elapsed, 2000ms);
    EXPECT_TRUE(waited.run.started);
    EXPECT_FALSE(waited.run.exitCode) << "the program had not ended";
}

class UnstartableFileTest : public testing::TestWithParam<const char*> {};

TEST_P(UnstartableFileTest, ShellRefusalIsAnsweredAtOnce) {
    TempFolder folder;
    std::wstring file = folder / L"missing.exe";
    if (std::string(GetParam()) == "no-association") {
        file = folder / L"data.orvelin-unknown";
        PutFile(file, "data");
    }
    const Waited waited = Wait(file, WaitMode::HandlingMessages);
    EXPECT_FALSE(waited.run.started);
    EXPECT_FALSE(waited.run.exitCode);
    EXPECT_LT(waited.elapsed, 20s);
}

INSTANTIATE_TEST_SUITE_P(Files, UnstartableFileTest, testing::Values("missing", "no-association"),
                         [](const auto& info) { return std::string(info.param) == "missing" ? "Missing" : "NoAssociation"; });

}  // namespace
