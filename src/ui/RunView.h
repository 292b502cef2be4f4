#pragma once
// What a long run (install, uninstall) and its steps need from whoever watches it: the
// program's window, or a test's script. The run never talks to a window otherwise.
#include <windows.h>

#include <string>

namespace orvelin {

// What a question is about, so that a run nobody watches can answer it.
enum class Question {
    RunSetupProgram,   // start another vendor's setup program now?
    ConfirmUninstall,  // remove the files, data and documents included?
};

class RunView {
public:
    virtual ~RunView() = default;

    virtual void SetStatus(const std::wstring& text) = 0;

    // The progress bar: the position always stays within 0..maximum.
    virtual void SetProgressMax(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void StepProgress(int delta) = 0;

    // A plain message box with one OK button; the text is shown as it stands.
    virtual void ShowMessage(const std::wstring& text) = 0;
    // An error box (stop icon) with one OK button.
    virtual void ShowError(const std::wstring& text) = 0;
    // A Yes/No/Cancel question; true only for Yes.
    virtual bool Ask(Question about, const std::wstring& question) = 0;
    // Lets the window handle what is pending; false once the program has been asked to end.
    virtual bool ProcessMessages() = 0;
    // The window that owns what the run shows or starts.
    virtual HWND Owner() const = 0;
};

}  // namespace orvelin
