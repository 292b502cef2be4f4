#pragma once
// A run's view that writes to the log every status, message and question with the answer
// taken. With a window, the window shows the progress; whether the window also shows the
// messages and asks the questions depends on who is there: nobody (unattended) means the
// answers come from the command line and every message goes to the log only.
#include <optional>
#include <string>

#include "foundation/RunLog.h"
#include "ui/RunView.h"

namespace orvelin {

// How a run nobody watches answers its questions.
struct UnattendedAnswers {
    bool runSetupPrograms = true;   // /setups
};

template <class View>
class LoggedView : public View {
public:
    // window: may be null (no window at all). answers: given when nobody is there.
    LoggedView(View* window, RunLog& log, std::optional<UnattendedAnswers> answers)
        : window_(window), log_(log), answers_(answers) {}

    void SetStatus(const std::wstring& text) override {
        log_.Write(L"Status: " + text);
        if (window_) window_->SetStatus(text);
    }
    void SetProgressMax(int maximum) override {
        if (window_) window_->SetProgressMax(maximum);
    }
    void SetProgressPosition(int position) override {
        if (window_) window_->SetProgressPosition(position);
    }
    void StepProgress(int delta) override {
        if (window_) window_->StepProgress(delta);
    }
    void ShowMessage(const std::wstring& text) override {
        log_.Write(L"Message: " + text);
        if (window_ && !answers_) window_->ShowMessage(text);
    }
    void ShowError(const std::wstring& text) override {
        log_.Write(L"Error: " + text);
        if (window_ && !answers_) window_->ShowError(text);
    }
    bool Ask(Question about, const std::wstring& question) override {
        bool yes;
        if (answers_)
            yes = about == Question::RunSetupProgram ? answers_->runSetupPrograms : true;
        else
            yes = window_ && window_->Ask(about, question);
        log_.Write(L"Question: " + question + (yes ? L" -> Yes" : L" -> No") + (answers_ ? L" (unattended)" : L""));
        return yes;
    }
    bool ProcessMessages() override { return window_ ? window_->ProcessMessages() : true; }
    HWND Owner() const override { return window_ ? window_->Owner() : nullptr; }

protected:
    View* Window() const noexcept { return window_; }

private:
    View* window_;
    RunLog& log_;
    std::optional<UnattendedAnswers> answers_;
};

}  // namespace orvelin
