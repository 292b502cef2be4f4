#pragma once
// install.exe as its user sees it: started in a setup folder, its window found by caption,
// its controls read and pressed by what they are rather than by resource id.
#include <windows.h>

#include <string>

#include "support/UiDriver.h"

namespace orvelin::test {

class InstallerSession {
public:
    explicit InstallerSession(const std::wstring& setupFolder);

    // The resource id of the window's design, in the program and in its Arabic module.
    static int DesignId();

    const ChildProcess& Program() const noexcept { return program_; }
    // Waits for the main window with this caption; false when it did not appear.
    bool FindWindow(const std::wstring& caption);
    // Waits for the main window whatever its caption (it depends on the language).
    bool FindMainWindow();
    HWND Window() const noexcept { return window_; }
    std::wstring Caption() const { return CaptionOf(window_); }

    std::wstring GuidLabel() const;
    std::wstring Guid() const;
    std::wstring DisplayName() const;
    std::wstring ShortcutName() const;
    std::wstring Status() const;
    bool AddShortcutTicked() const;
    bool DatabaseChoiceShown() const;
    int DatabaseIndex() const;
    std::wstring DatabaseText() const;
    bool InstallEnabled() const;
    // Waits until a run has ended with an error and the Install button is usable again.
    bool WaitUntilInstallEnabled() const;

    void SelectDatabase(int index) const;
    void PressInstall() const;
    void PressExit() const;

private:
    ChildProcess program_;
    HWND window_ = nullptr;
};

}  // namespace orvelin::test
