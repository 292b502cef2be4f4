#include "UninstallerSession.h"

#include "support/DialogDriver.h"
#include "uninstaller/resource.h"

namespace orvelin::test {

int UninstallerSession::DesignId() { return IDD_UNINSTALL_MAIN; }

UninstallerSession::UninstallerSession(const std::wstring& folder)
    : program_(folder + L"uninstall.exe", folder) {}

bool UninstallerSession::FindWindow(const std::wstring& caption) {
    window_ = WaitForWindow(program_, caption);
    return window_ != nullptr;
}

bool UninstallerSession::FindMainWindow() {
    window_ = WaitForMainWindow(program_);
    return window_ != nullptr;
}

std::wstring UninstallerSession::NameLabel() const { return ControlText(window_, IDC_LABEL_NAME); }
std::wstring UninstallerSession::RemoveFilesCaption() const { return ControlText(window_, IDC_REMOVE); }
std::wstring UninstallerSession::Guid() const { return ControlText(window_, IDC_GUID); }
std::wstring UninstallerSession::DisplayName() const { return ControlText(window_, IDC_DISPLAY_NAME); }
bool UninstallerSession::RemoveFilesTicked() const { return IsChecked(window_, IDC_REMOVE); }
bool UninstallerSession::StartEnabled() const { return IsControlEnabled(window_, IDC_START); }
bool UninstallerSession::WaitUntilStartEnabled() const { return WaitUntilEnabled(window_, IDC_START); }

void UninstallerSession::PressStart() const { Click(window_, IDC_START); }
void UninstallerSession::Close() const { PressCloseBox(window_); }

}  // namespace orvelin::test
