#include <gtest/gtest.h>

#include <windows.h>

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

Waited Wait(const std::wstring& file, bool programEnding = false) {
    Waited waited;
    const auto start = Clock::now();
    waited.run = RunAndWait(file, L"", nullptr, [&] {
        ++waited.pumps;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return !programEnding;
    });
    waited.elapsed = Clock::now() - start;
    return waited;
}

// The caller's windows keep painting meanwhile, and the wait ends with the program, not at a
// later poll.
TEST(RunAndWaitTest, ReturnsWhenTheProgramEndsHandlingMessagesWithoutSpinning) {
    TempFolder folder;
    // A message every 100 ms, as a window that repaints would get them.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, nullptr);
    const Waited waited = Wait(ProgramEndingAfter(folder, 1000, 7));
    KillTimer(nullptr, timer);
    EXPECT_GE(waited.elapsed, 900ms) << "waited for the program";
    EXPECT_LT(waited.elapsed, 2500ms);
    EXPECT_GE(waited.pumps, 4) << "the caller's messages are handled while it waits";
    EXPECT_LT(waited.pumps, 60) << "the wait sleeps until the process ends or a message comes";
    EXPECT_TRUE(waited.run.started);
    EXPECT_EQ(waited.run.exitCode, 7u);
}

// 259 is STILL_ACTIVE: a wait on the exit code would take the ended program for a running one.
TEST(RunAndWaitTest, ProgramEndingWithCode259IsSeenToEnd) {
    TempFolder folder;
    const Waited waited = Wait(ProgramEndingAfter(folder, 500, STILL_ACTIVE));
    EXPECT_LT(waited.elapsed, 10s);
    EXPECT_EQ(waited.run.exitCode, static_cast<DWORD>(STILL_ACTIVE));
}

TEST(RunAndWaitTest, EndsWhenTheProgramIsAskedToEnd) {
    TempFolder folder;
    const Waited waited = Wait(ProgramEndingAfter(folder, 3000, 0), true);
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
    const Waited waited = Wait(file);
    EXPECT_FALSE(waited.run.started);
    EXPECT_FALSE(waited.run.exitCode);
    EXPECT_LT(waited.elapsed, 20s);
}

INSTANTIATE_TEST_SUITE_P(Files, UnstartableFileTest, testing::Values("missing", "no-association"),
                         [](const auto& info) { return std::string(info.param) == "missing" ? "Missing" : "NoAssociation"; });

}  // namespace
