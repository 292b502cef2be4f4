#pragma once
// The one window stand-in of the tests: records what a run shows, answers its questions from a
// script, and keeps the progress bar and the database choice the way the window would.
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "installer/InstallView.h"

namespace orvelin::test {

class ScriptedView : public InstallView {
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
    std::vector<int> selectedDatabases;   // what the run put into the database choice
    bool quitRequested = false;           // ProcessMessages answers that the program is ending
    // Called with each status once it is recorded: where a test steps into the run.
    std::function<void(const std::wstring&)> onStatus;

    void SetStatus(const std::wstring& text) override {
        statuses.push_back(text);
        events.push_back(L"status: " + text);
        if (onStatus) onStatus(text);
    }
    void SetProgressMax(int maximum) override {
        progressMax = maximum;
        progressPosition = std::min(progressPosition, progressMax);
    }
    void SetProgressPosition(int position) override { progressPosition = std::clamp(position, 0, progressMax); }
    void StepProgress(int delta) override { SetProgressPosition(progressPosition + delta); }
    void ShowMessage(const std::wstring& text) override {
        messages.push_back(text);
        events.push_back(L"message: " + text);
    }
    void ShowError(const std::wstring& text) override {
        errors.push_back(text);
        events.push_back(L"error: " + text);
    }
    bool Ask(Question, const std::wstring& question) override {
        questions.push_back(question);
        events.push_back(L"ask: " + question);
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ProcessMessages() override { return !quitRequested; }
    HWND Owner() const override { return nullptr; }
    void SelectDatabase(int index) override { selectedDatabases.push_back(index); }
};

}  // namespace orvelin::test
