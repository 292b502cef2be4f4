// The uninstaller's controls, kept apart from the installer's: both programs use the same
// resource-header names for their own ids.
#include "support/ProgramSessions.h"

#include "uninstaller/resource.h"

namespace orvelin::test {

UninstallerSession::UninstallerSession(const std::wstring& folder, const std::wstring& arguments)
    : ProgramSession(L"uninstall.exe", folder, arguments) {}

int UninstallerSession::DesignId() { return IDD_UNINSTALL_MAIN; }
std::wstring UninstallerSession::NameLabel() const { return Text(IDC_LABEL_NAME); }
std::wstring UninstallerSession::RemoveFilesCaption() const { return Text(IDC_REMOVE); }
std::wstring UninstallerSession::Guid() const { return Text(IDC_GUID); }
std::wstring UninstallerSession::DisplayName() const { return Text(IDC_DISPLAY_NAME); }
bool UninstallerSession::GuidReadsRightToLeft() const { return ReadsRightToLeft(Window(), IDC_GUID); }
bool UninstallerSession::DisplayNameReadsRightToLeft() const { return ReadsRightToLeft(Window(), IDC_DISPLAY_NAME); }
bool UninstallerSession::RemoveFilesTicked() const { return IsChecked(Window(), IDC_REMOVE); }
bool UninstallerSession::StartEnabled() const { return IsControlEnabled(Window(), IDC_START); }
bool UninstallerSession::WaitUntilStartEnabled() const { return WaitUntilEnabled(Window(), IDC_START); }
void UninstallerSession::PressStart() const { Click(Window(), IDC_START); }
void UninstallerSession::Close() const { PressCloseBox(Window()); }

}  // namespace orvelin::test
