// The status line under a run that reports a status for every file: the first text at once,
// the latest whenever the window's messages are pumped after a short interval or when the
// run needs it shown, never each of thousands in turn.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <optional>
#include <string>

#include "DesignedWindow.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"

namespace orvelin::test {
namespace {

class StatusLineTest : public testing::Test {
protected:
    void SetUp() override {
        const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        expected = InstallerWindowExpectation();
        program.Reset(LoadLibraryExW((ExtractFilePath(ModuleFilePath()) + expected.program).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(program);
        window.emplace(*expected.design, program.Get());
        ASSERT_TRUE(window->Open());
    }

    std::wstring Shown() const { return window->ControlText(expected.design->statusId); }

    // Pumps the window's messages until `done` or the time is over.
    template <class Done>
    static void Pump(std::chrono::milliseconds time, Done done) {
        const auto deadline = std::chrono::steady_clock::now() + time;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
    }
    bool PumpUntilShown(const std::wstring& text) const {
        Pump(std::chrono::seconds(1), [&] { return Shown() == text; });
        return Shown() == text;
    }

    // A burst as a copy reports it: the first, then many in the same moment.
    void ReportBurst() {
        for (int file = 0; file < 1000; ++file) window->SetStatusText(L"Copying: file " + std::to_wstring(file));
    }

    WindowExpectation expected;
    UniqueModule program;
    std::optional<DesignedWindow> window;
};

TEST_F(StatusLineTest, TheFirstAtOnceTheLatestOnceTheIntervalIsOver) {
    ReportBurst();
    EXPECT_EQ(Shown(), L"Copying: file 0") << "the first of a burst shows at once, and not every one after it";
    EXPECT_TRUE(PumpUntilShown(L"Copying: file 999")) << "shows: " << testing::PrintToString(Shown());
}

TEST_F(StatusLineTest, ShownAtOnceWhenTheRunNeedsIt) {
    ReportBurst();
    window->ShowPendingStatus();
    EXPECT_EQ(Shown(), L"Copying: file 999");
}

TEST_F(StatusLineTest, AStatusAfterAPauseShowsAtOnce) {
    ReportBurst();
    ASSERT_TRUE(PumpUntilShown(L"Copying: file 999"));
    // The interval passes with nothing new: the next status is not held back.
    Pump(std::chrono::milliseconds(300), [] { return false; });
    window->SetStatusText(L"Creating program folders");
    EXPECT_EQ(Shown(), L"Creating program folders");
}

}  // namespace
}  // namespace orvelin::test
