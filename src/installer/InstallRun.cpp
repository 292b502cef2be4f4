#include "installer/InstallRun.h"

#include "installer/CatalogueCodes.h"
#include "installer/CopyEngine.h"
#include "installer/InstallRecord.h"
#include "installer/SetupCheck.h"
#include "installer/SetupPrograms.h"
#include "installer/Shortcuts.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

int CountApplicationFiles(const std::wstring& setupFolder) {
    // Only the application's own files are counted, although every category advances the bar.
    std::vector<std::wstring> files;
    CollectFiles(files, setupFolder + CategorySourceFolder(kApplicationCategory), L"*.*");
    return static_cast<int>(files.size());
}

InstallRun::InstallRun(SetupPackage& package, InstalledFiles& installed, InstallChanges& changes, InstallView& view,
                       const InstallContext& context)
    : package_(package), installed_(installed), changes_(changes), view_(view), context_(context) {}

InstallRun::Outcome InstallRun::Execute(const InstallChoices& choices) {
    // Shell links and other vendors' setups started through the shell need COM on this thread;
    // only the run does, and setting it up would cost every start of the window.
    const ComApartment com;
    int databaseIndex = choices.database.value_or(-1);
    if (choices.database) {
        if (databaseIndex <= 0) {
            view_.ShowMessage(L"A database server has to be selected. ");
            return Outcome::Refused;
        }
        if (databaseIndex > kFirebirdIndex) {
            view_.ShowMessage(L"Currently only Firebird database is supported. It will be used");
            view_.SelectDatabase(kFirebirdIndex);
            databaseIndex = kFirebirdIndex;
        }
    }
    const SetupSettings& settings = package_.settings;
    CheckAlreadyInstalled(settings.guid);
    CheckBeforeInstall(package_, context_.windows, databaseIndex, changes_.Log());
    // A name typed into the window names the shortcut files: it must stay one name.
    if (!IsPlainFileName(choices.shortcutName))
        throw Error(Substitute(L"The shortcut name \"%s\" is not a plain file name: it may not be empty, or hold \\, "
                               L"/, :, .., or characters Windows forbids in names. Nothing was installed.",
                               {choices.shortcutName}));
    view_.SetStatus(L"Creating program folders");
    view_.SetProgressMax(CountApplicationFiles(package_.folder));

    CopyEngine copyEngine(package_.catalogue, installed_, changes_, view_, context_.windows, settings.applicationExe,
                          context_.translate);
    SetupPrograms setupPrograms(package_.catalogue, copyEngine, view_, changes_.Log(), context_.windows,
                                context_.translate, context_.unattended ? &settings : nullptr);
    const std::wstring setupRoot = CheckFolderPath(package_.folder, context_.translate);
    DataPacketTable& applications = package_.catalogue.applications;
    for (applications.First(); !applications.Eof(); applications.Next())
        InstallApplication(applications.AsInteger(L"ACCOUNT_T"), setupRoot, copyEngine, setupPrograms, databaseIndex);

    view_.SetProgressPosition(100);
    view_.SetStatus(L"Adding application to windows control panael");
    CreateShortcuts(installed_.mainExecutable, settings.displayName, choices.shortcutName, choices.addDesktopShortcut,
                    view_.Owner(), changes_, installed_.paths);
    WriteUninstallEntry(settings, context_.uninstallRoot, package_.folder, installed_, changes_, view_);
    changes_.Commit();
    view_.ShowMessage(L"Program was installed successfully");
    return Outcome::Installed;
}

void InstallRun::InstallApplication(int category, const std::wstring& setupRoot, CopyEngine& copyEngine,
                                    SetupPrograms& setupPrograms, int databaseIndex) {
    const std::wstring sourceFolder = setupRoot + CategorySourceFolder(category);
    switch (category) {
        case kDatabaseServerCategory:
            setupPrograms.InstallDbServers(sourceFolder, databaseIndex);
            break;
        case kApplicationCategory:
        case kCommonCategory:
        case kWindowsCategory:
            copyEngine.CopyLocations(sourceFolder);
            break;
        case kThirdPartyCategory:
            view_.SetStatus(L"Installing thired party programs");
            setupPrograms.InstallThirdPartyPrograms(sourceFolder);
            break;
        default:
            break;   // not a category this installer knows
    }
}

}  // namespace orvelin
