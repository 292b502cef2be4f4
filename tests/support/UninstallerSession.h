#pragma once
// uninstall.exe as its user sees it: started in its folder, its window found by caption.
#include <windows.h>

#include <string>

#include "support/UiDriver.h"

namespace orvelin::test {

class UninstallerSession {
public:
    explicit UninstallerSession(const std::wstring& folder);

    // The resource id of the window's design, in the program and in its Arabic module.
    static int DesignId();

    const ChildProcess& Program() const noexcept { return program_; }
    bool FindWindow(const std::wstring& caption);
    // Waits for the main window whatever its caption (it depends on the language).
    bool FindMainWindow();
    HWND Window() const noexcept { return window_; }
    std::wstring Caption() const { return CaptionOf(window_); }

    std::wstring NameLabel() const;
    std::wstring RemoveFilesCaption() const;
    std::wstring Guid() const;
    std::wstring DisplayName() const;
    bool RemoveFilesTicked() const;
    bool StartEnabled() const;
    bool WaitUntilStartEnabled() const;

    void PressStart() const;
    void Close() const;

private:
    ChildProcess program_;
    HWND window_ = nullptr;
};

}  // namespace orvelin::test
