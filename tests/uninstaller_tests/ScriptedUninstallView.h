#pragma once
// The uninstaller window as the run sees it: the boxes' values set by the test, everything the
// run shows recorded by a ScriptedView, and the close request counted.
#include <string>

#include "support/ScriptedView.h"
#include "uninstaller/UninstallView.h"

namespace orvelin::test {

class ScriptedUninstallView : public UninstallView {
public:
    std::wstring guid;
    bool removeFiles = true;
    int closeRequests = 0;
    ScriptedView script;

    std::wstring GuidId() const override { return guid; }
    bool RemoveFiles() const override { return removeFiles; }
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
