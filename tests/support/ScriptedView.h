#pragma once
// A RunView for tests: records what a run shows and answers its questions from a script.
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "shared/RunView.h"

namespace orvelin::test {

class ScriptedView : public RunView {
public:
    // What the run did, in order: "status: ...", "message: ...", "error: ...", "ask: ...".
    std::vector<std::wstring> events;
    std::vector<std::wstring> statuses;
    std::vector<std::wstring> messages;   // plain boxes
    std::vector<std::wstring> errors;     // error boxes
    std::vector<std::wstring> questions;
    std::deque<bool> answers;             // next answers to Ask; Yes when the script runs out
    int progressMax = 100;
    int progressPosition = 0;
    int pumps = 0;
    bool quitRequested = false;

    void SetStatus(const std::wstring& text) override {
        statuses.push_back(text);
        events.push_back(L"status: " + text);
    }
    void SetProgressMax(int maximum) override {
        progressMax = maximum;
        progressPosition = std::min(progressPosition, progressMax);
    }
    void SetProgressPosition(int position) override { progressPosition = std::clamp(position, 0, progressMax); }
    void StepProgress(int delta) override { SetProgressPosition(progressPosition + delta); }
    int ProgressPosition() const override { return progressPosition; }
    void ShowMessage(const std::wstring& text) override {
        messages.push_back(text);
        events.push_back(L"message: " + text);
    }
    void ShowError(const std::wstring& text) override {
        errors.push_back(text);
        events.push_back(L"error: " + text);
    }
    bool Ask(const std::wstring& question) override {
        questions.push_back(question);
        events.push_back(L"ask: " + question);
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ProcessMessages() override {
        ++pumps;
        return !quitRequested;
    }
    HWND Owner() const override { return nullptr; }
};

}  // namespace orvelin::test
