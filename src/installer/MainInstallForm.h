#pragma once
// fmMainInstall: the installer's one window. It owns the install state and shows the run's
// progress; the run itself lives in InstallRun.
#include <windows.h>

#include "installer/InstallView.h"
#include "installer/InstallerState.h"
#include "shared/DialogRunView.h"

namespace orvelin {

class TfmMainInstall : public DialogRunView<InstallView> {
public:
    TfmMainInstall();
    ~TfmMainInstall() override;
    TfmMainInstall(const TfmMainInstall&) = delete;
    TfmMainInstall& operator=(const TfmMainInstall&) = delete;

    // Creates and shows the window, then runs the message loop; returns the exit code.
    int Run();

    void AttachWindow(HWND window) noexcept { window_ = window; }

    // InstallView
    std::wstring GuidId() const override;
    std::wstring DisplayName() const override;
    std::wstring ShortcutName() const override;
    bool AddShortcut() const override;
    bool DatabaseChoiceShown() const override;
    int DatabaseIndex() const override;
    void SelectDatabase(int index) override;
    void CloseWindow() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate();
    void FormShow();
    void btnInstallClick();
    void Button5Click();
    std::wstring ControlText(int id) const;

    InstallerState state_;
    bool running_ = false;   // input is held off while a run is in progress
};

}  // namespace orvelin
