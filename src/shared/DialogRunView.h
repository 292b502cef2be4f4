#pragma once
// The RunView side of a main window built from a dialog: status label, progress bar,
// message boxes captioned with the program's title, and one pass of pending messages.
#include <windows.h>
#include <commctrl.h>

#include "shared/CommonHelpers.h"
#include "shared/Error.h"
#include "shared/MessageLoop.h"

namespace orvelin {

template <class View>
class DialogRunView : public View {
public:
    void SetStatus(const std::wstring& text) override { SetDlgItemTextW(window_, statusId_, text.c_str()); }
    void SetProgressMax(int maximum) override { SendProgress(PBM_SETRANGE32, 0, maximum); }
    void SetProgressPosition(int position) override { SendProgress(PBM_SETPOS, position, 0); }
    void StepProgress(int delta) override { SendProgress(PBM_DELTAPOS, delta, 0); }
    int ProgressPosition() const override { return static_cast<int>(SendProgress(PBM_GETPOS, 0, 0)); }
    void ShowMessage(const std::wstring& text) override {
        MessageBoxW(window_, text.c_str(), ApplicationTitle().c_str(), MB_OK);
    }
    void ShowError(const std::wstring& text) override {
        MessageBoxW(window_, text.c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
    }
    bool Ask(const std::wstring& question) override { return AskConfirmation(window_, question); }
    bool ProcessMessages() override { return orvelin::ProcessMessages(window_); }
    HWND Owner() const override { return window_; }

protected:
    DialogRunView(int statusId, int progressId) : statusId_(statusId), progressId_(progressId) {}
    HWND window_ = nullptr;

private:
    LRESULT SendProgress(UINT message, WPARAM wParam, LPARAM lParam) const {
        return SendDlgItemMessageW(window_, progressId_, message, wParam, lParam);
    }
    int statusId_;
    int progressId_;
};

}  // namespace orvelin
