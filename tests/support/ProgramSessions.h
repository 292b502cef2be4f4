#pragma once
// install.exe and uninstall.exe as their user sees them: started in their folder, their window
// found, its controls read and pressed by what they are rather than by resource id.
#include <windows.h>

#include <string>

#include "support/UiDriver.h"

namespace orvelin::test {

// One start of a program and its main window.
class ProgramSession {
public:
    const ChildProcess& Program() const noexcept { return program_; }
    // Waits for the main window with this caption; false when it did not appear.
    bool FindWindow(const std::wstring& caption);
    // Waits for the main window whatever its caption (it depends on the language).
    bool FindMainWindow();
    HWND Window() const noexcept { return window_; }
    std::wstring Caption() const { return CaptionOf(window_); }

protected:
    ProgramSession(const std::wstring& program, const std::wstring& folder, const std::wstring& arguments);
    std::wstring Text(int id) const { return ControlText(window_, id); }

private:
    ChildProcess program_;
    HWND window_ = nullptr;
};

class InstallerSession : public ProgramSession {
public:
    // setupFolder ends with a backslash and holds install.exe (or the program named).
    explicit InstallerSession(const std::wstring& setupFolder, const std::wstring& arguments = L"",
                              const std::wstring& program = L"install.exe");

    // The resource id of the window's design, in the program and in its Arabic module.
    static int DesignId();

    std::wstring GuidLabel() const;
    std::wstring Guid() const;
    std::wstring DisplayName() const;
    bool GuidReadsRightToLeft() const;
    bool DisplayNameReadsRightToLeft() const;
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
};

class UninstallerSession : public ProgramSession {
public:
    // folder ends with a backslash and holds uninstall.exe.
    explicit UninstallerSession(const std::wstring& folder, const std::wstring& arguments = L"");

    static int DesignId();

    std::wstring NameLabel() const;
    std::wstring RemoveFilesCaption() const;
    std::wstring Guid() const;
    std::wstring DisplayName() const;
    bool GuidReadsRightToLeft() const;
    bool DisplayNameReadsRightToLeft() const;
    bool RemoveFilesTicked() const;
    bool StartEnabled() const;
    bool WaitUntilStartEnabled() const;

    void PressStart() const;
    void Close() const;
};

}  // namespace orvelin::test
