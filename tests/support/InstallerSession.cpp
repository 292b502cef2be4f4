#include "support/ProgramSessions.h"

#include "installer/resource.h"

namespace orvelin::test {

ProgramSession::ProgramSession(const std::wstring& program, const std::wstring& folder, const std::wstring& arguments)
    : program_(folder + program, folder, arguments) {}

bool ProgramSession::FindWindow(const std::wstring& caption) {
    window_ = WaitForWindow(program_, caption);
    return window_ != nullptr;
}

bool ProgramSession::FindMainWindow() {
    window_ = WaitForMainWindow(program_);
    return window_ != nullptr;
}

InstallerSession::InstallerSession(const std::wstring& setupFolder, const std::wstring& arguments,
                                   const std::wstring& program)
    : ProgramSession(program, setupFolder, arguments) {}

int InstallerSession::DesignId() { return IDD_MAIN_INSTALL; }
std::wstring InstallerSession::GuidLabel() const { return Text(IDC_LABEL_GUID); }
std::wstring InstallerSession::Guid() const { return Text(IDC_GUID); }
std::wstring InstallerSession::DisplayName() const { return Text(IDC_DISPLAY_NAME); }
bool InstallerSession::GuidReadsRightToLeft() const { return ReadsRightToLeft(Window(), IDC_GUID); }
bool InstallerSession::DisplayNameReadsRightToLeft() const { return ReadsRightToLeft(Window(), IDC_DISPLAY_NAME); }
std::wstring InstallerSession::ShortcutName() const { return Text(IDC_SHORTCUT_NAME); }
std::wstring InstallerSession::Status() const { return Text(IDC_STATUS); }
bool InstallerSession::AddShortcutTicked() const { return IsChecked(Window(), IDC_ADD_SHORTCUT); }
bool InstallerSession::DatabaseChoiceShown() const { return IsControlVisible(Window(), IDC_SELECT_DB); }
int InstallerSession::DatabaseIndex() const { return ComboSelection(Window(), IDC_SELECT_DB); }
std::wstring InstallerSession::DatabaseText() const { return Text(IDC_SELECT_DB); }
bool InstallerSession::InstallEnabled() const { return IsControlEnabled(Window(), IDC_INSTALL); }
bool InstallerSession::WaitUntilInstallEnabled() const { return WaitUntilEnabled(Window(), IDC_INSTALL); }
void InstallerSession::SelectDatabase(int index) const { SelectComboItem(Window(), IDC_SELECT_DB, index); }
void InstallerSession::PressInstall() const { Click(Window(), IDC_INSTALL); }
void InstallerSession::PressExit() const { Click(Window(), IDC_EXIT); }

}  // namespace orvelin::test
