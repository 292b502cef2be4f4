#pragma once
// The message boxes of both programs, captioned with the program's title.
#include <windows.h>

#include <string>

namespace orvelin {

// The running program's file name without extension: neither program sets another title.
std::wstring ApplicationTitle();

// A plain box with one OK button.
void ShowMessageBox(HWND owner, const std::wstring& text);
// The top-level error box: stop icon, one OK button; a final "." is added when the text's last
// character sorts above "." (ErrorBoxText).
void ShowErrorBox(HWND owner, const std::wstring& text);
std::wstring ErrorBoxText(const std::wstring& text);
// A modal Yes/No/Cancel question (Yes the default); true only when Yes is picked.
bool AskConfirmation(HWND owner, const std::wstring& question);

}  // namespace orvelin
