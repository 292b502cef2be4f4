#include "InstallerSession.h"

#include "installer/resource.h"

namespace orvelin::test {

int InstallerSession::DesignId() { return IDD_MAIN_INSTALL; }

InstallerSession::InstallerSession(const std::wstring& setupFolder)
    : program_(setupFolder + L"install.exe", setupFolder) {}

bool InstallerSession::FindWindow(const std::wstring& caption) {
    window_ = WaitForWindow(program_, caption);
    return window_ != nullptr;
}

bool InstallerSession::FindMainWindow() {
    window_ = WaitForMainWindow(program_);
    return window_ != nullptr;
}

std::wstring InstallerSession::GuidLabel() const { return ControlText(window_, IDC_LABEL_GUID); }
std::wstring InstallerSession::Guid() const { return ControlText(window_, IDC_GUID); }
std::wstring InstallerSession::DisplayName() const { return ControlText(window_, IDC_DISPLAY_NAME); }
std::wstring InstallerSession::ShortcutName() const { return ControlText(window_, IDC_SHORTCUT_NAME); }
std::wstring InstallerSession::Status() const { return ControlText(window_, IDC_STATUS); }
bool InstallerSession::AddShortcutTicked() const { return IsChecked(window_, IDC_ADD_SHORTCUT); }
bool InstallerSession::DatabaseChoiceShown() const { return IsControlVisible(window_, IDC_SELECT_DB); }
int InstallerSession::DatabaseIndex() const { return ComboSelection(window_, IDC_SELECT_DB); }
std::wstring InstallerSession::DatabaseText() const { return ControlText(window_, IDC_SELECT_DB); }
bool InstallerSession::InstallEnabled() const { return IsControlEnabled(window_, IDC_INSTALL); }
bool InstallerSession::WaitUntilInstallEnabled() const { return WaitUntilEnabled(window_, IDC_INSTALL); }

void InstallerSession::SelectDatabase(int index) const { SelectComboItem(window_, IDC_SELECT_DB, index); }
void InstallerSession::PressInstall() const { Click(window_, IDC_INSTALL); }
void InstallerSession::PressExit() const { Click(window_, IDC_EXIT); }

}  // namespace orvelin::test
