#include "ui/MessageBoxes.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvelin {

std::wstring ApplicationTitle() { return ChangeFileExt(ExtractFileName(ModuleFilePath()), L""); }

void ShowMessageBox(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), ApplicationTitle().c_str(), MB_OK);
}

std::wstring ErrorBoxText(const std::wstring& text) {
    if (!text.empty() && text.back() > L'.') return text + L".";
    return text;
}

void ShowErrorBox(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, ErrorBoxText(text).c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

bool AskConfirmation(HWND owner, const std::wstring& question) {
    return MessageBoxW(owner, question.c_str(), ApplicationTitle().c_str(),
                       MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON1) == IDYES;
}

}  // namespace orvelin
