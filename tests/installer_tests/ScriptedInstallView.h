#pragma once
// The installer window as the run sees it: the boxes' values set by the test, everything the
// run shows recorded by a ScriptedView, and the window's answers to the run counted.
#include <string>
#include <vector>

#include "installer/InstallView.h"
#include "support/ScriptedView.h"

namespace orvelin::test {

class ScriptedInstallView : public InstallView {
public:
    std::wstring guid;
    std::wstring displayName;
    std::wstring shortcutName;
    bool addShortcut = true;
    bool databaseChoiceShown = false;
    int databaseIndex = -1;            // as a hidden or untouched choice reports it
    std::vector<int> selectedDatabases;
    int closeRequests = 0;
    ScriptedView script;

    std::wstring GuidId() const override { return guid; }
    std::wstring DisplayName() const override { return displayName; }
    std::wstring ShortcutName() const override { return shortcutName; }
    bool AddShortcut() const override { return addShortcut; }
    bool DatabaseChoiceShown() const override { return databaseChoiceShown; }
    int DatabaseIndex() const override { return databaseIndex; }
    void SelectDatabase(int index) override {
        databaseIndex = index;
        selectedDatabases.push_back(index);
    }
    void CloseWindow() override { ++closeRequests; }

    void SetStatus(const std::wstring& text) override { script.SetStatus(text); }
    void SetProgressMax(int maximum) override { script.SetProgressMax(maximum); }
    void SetProgressPosition(int position) override { script.SetProgressPosition(position); }
    void StepProgress(int delta) override { script.StepProgress(delta); }
    int ProgressPosition() const override { return script.ProgressPosition(); }
    void ShowMessage(const std::wstring& text) override { script.ShowMessage(text); }
    void ShowError(const std::wstring& text) override { script.ShowError(text); }
    bool Ask(const std::wstring& question) override { return script.Ask(question); }
    bool ProcessMessages() override { return script.ProcessMessages(); }
    HWND Owner() const override { return script.Owner(); }
};

}  // namespace orvelin::test
