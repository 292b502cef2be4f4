// The install run: the database choice, the guard against a second install, every category
// of the catalogue in application order, then shortcuts and the installation record.
#include "installer/InstallRun.h"

#include "shared/CommonHelpers.h"
#include "shared/TextUtil.h"

namespace orvelin {

namespace {

// The used folders belong to one run: dropped at its end, whether it ends well or not.
class UsedFoldersScope {
public:
    explicit UsedFoldersScope(std::vector<std::wstring>& folders) : folders_(folders) { folders_.clear(); }
    ~UsedFoldersScope() { folders_.clear(); }
    UsedFoldersScope(const UsedFoldersScope&) = delete;
    UsedFoldersScope& operator=(const UsedFoldersScope&) = delete;

private:
    std::vector<std::wstring>& folders_;
};

enum Category { DatabaseServers = 0, InstalledApplic = 1, CommonApplic = 2, ThirdPartyApps = 3, WindowsFiles = 4 };

}  // namespace

InstallRun::InstallRun(InstallerState& state, InstallView& view, std::wstring exePath, std::wstring commonDataDir)
    : state_(state), view_(view), exePath_(std::move(exePath)), commonDataDir_(std::move(commonDataDir)) {}

void InstallRun::Execute() {
    if (view_.DatabaseChoiceShown()) {
        const int index = view_.DatabaseIndex();
        if (index <= 0) {
            view_.ShowMessage(L"A database server has to be selected. ");
            return;
        }
        if (index > kFirebirdIndex) {
            view_.ShowMessage(L"Currently only Firebird database is supported. It will be used");
            view_.SelectDatabase(kFirebirdIndex);
        }
    }
    CheckAlreadyInstalled(view_.GuidId());
    view_.SetStatus(L"Creating program folders");
    SetProgressRange();
    const UsedFoldersScope runScope(usedFolders);

    const std::wstring setupRoot = CheckFolderPath(exePath_);
    DataPacketTable& applics = state_.catalogue.cdsApplics;
    for (applics.First(); !applics.Eof(); applics.Next()) InstallCategory(applics.AsInteger(L"ACCOUNT_T"), setupRoot);

    view_.SetProgressPosition(100);
    view_.SetStatus(L"Adding application to windows control panael");
    CreateShortcuts();
    WriteUninstallEntry(view_.GuidId());
    view_.ShowMessage(L"Program was installed successfully");
    view_.CloseWindow();
}

void InstallRun::InstallCategory(int category, const std::wstring& setupRoot) {
    switch (category) {
        case DatabaseServers:
            currentSourceFolder = setupRoot + L"FILES\\DATABASE SERVERS";
            InstallDbServers();
            break;
        case InstalledApplic:
            currentSourceFolder = setupRoot + L"FILES\\INSTALLED APPLIC";
            CopyLocations();
            break;
        case CommonApplic:
            currentSourceFolder = setupRoot + L"FILES\\COMMON APPLIC";
            CopyLocations();
            break;
        case ThirdPartyApps:
            view_.SetStatus(L"Installing thired party programs");
            currentSourceFolder = setupRoot + L"FILES\\THIRED PARTY APP";
            InstallThirdPartyPrograms();
            break;
        case WindowsFiles:
            currentSourceFolder = setupRoot + L"FILES\\WINDOWS";
            CopyLocations();
            break;
        default:
            break;   // not a category this installer knows
    }
}

void InstallRun::SetProgressRange() {
    // Only the application's own files are counted, although every category advances the bar.
    std::vector<std::wstring> files;
    CollectFiles(files, exePath_ + L"FILES\\INSTALLED APPLIC", L"*.*");
    view_.SetProgressMax(static_cast<int>(files.size()));
}

}  // namespace orvelin
