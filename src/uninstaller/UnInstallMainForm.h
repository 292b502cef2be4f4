#pragma once
// fmUninstallMain: the uninstaller's one window. It owns the uninstall state; the run itself
// lives in UninstallRun.
#include <windows.h>

#include "shared/DialogRunView.h"
#include "uninstaller/UninstallView.h"
#include "uninstaller/UninstallerState.h"

namespace orvelin {

class TfmUninstallMain : public DialogRunView<UninstallView> {
public:
    TfmUninstallMain();
    ~TfmUninstallMain() override;
    TfmUninstallMain(const TfmUninstallMain&) = delete;
    TfmUninstallMain& operator=(const TfmUninstallMain&) = delete;

    // Creates and shows the window, then runs the message loop; returns the exit code.
    int Run();
    void AttachWindow(HWND window) noexcept { window_ = window; }

    // UninstallView
    std::wstring GuidId() const override;
    bool RemoveFiles() const override;
    void CloseWindow() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate();
    void FormShow();
    void Button1Click();

    UninstallerState state_;
    bool running_ = false;
};

}  // namespace orvelin
