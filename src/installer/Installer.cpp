#include "installer/Installer.h"

#include "contract/InstallContract.h"
#include "installer/InstallerWindow.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "ui/MessageBoxes.h"

namespace orvelin {

namespace {

std::vector<std::wstring> ServerNames() {
    return {std::begin(kDatabaseChoices) + kFirebirdIndex, std::end(kDatabaseChoices)};
}

}  // namespace

std::vector<OptionSpec> InstallOptions() {
    return {
        {L"db", L"NAME", ServerNames(), L"the database server: FIREBIRD (the default), INTERBASE, ORACLE, MYSQL or MSQ"},
        {L"desktop", L"yes|no", {L"yes", L"no"}, L"a desktop shortcut or not, instead of setup.ini's AddShortCut"},
        {L"setups", L"yes|no", {L"yes", L"no"}, L"no: the database-server and other setup programs are copied, not run"},
    };
}

UnattendedInstall UnattendedInstall::From(const CommandLine& line) {
    UnattendedInstall answers;
    answers.database = line.Value(L"db");
    if (const auto desktop = line.Value(L"desktop")) answers.desktopShortcut = *desktop == L"yes";
    if (const auto setups = line.Value(L"setups")) answers.runSetupPrograms = *setups == L"yes";
    return answers;
}

Installer::Installer(Startup& startup, RunLog& log)
    : startup_(startup),
      log_(log),
      context_{startup.Folders().CommonDataDir, WindowsPlatform::Detect(), startup.Language().Translate()} {}

bool Installer::Load(RunView& view) {
    if (!startup_.Setup().Found()) return false;
    package_.Load(startup_.Folders().ExePath, startup_.Setup().File());
    const std::wstring& guid = package_.settings.guid;
    // A GUID of any other form names no folder this installer may look into.
    if (!IsProductGuid(guid)) return true;
    const std::wstring folder = UninstallFolder(context_.uninstallRoot, guid);
    changes_.emplace(folder, log_);
    if (const auto undone = FinishEarlierInstall(folder, log_))
        view.ShowMessage(L"An earlier install of this product did not finish. What it had changed was undone: " +
                         undone->Describe());
    return true;
}

InstallChoices UnattendedChoices(const SetupSettings& settings, const UnattendedInstall& answers) {
    InstallChoices choices;
    choices.shortcutName = settings.shortcutName;
    choices.addDesktopShortcut = answers.desktopShortcut.value_or(settings.addDesktopShortcut);
    if (settings.offersDatabaseServer) {
        choices.database = kFirebirdIndex;
        for (int index = kFirebirdIndex; index < static_cast<int>(std::size(kDatabaseChoices)); ++index)
            if (answers.database && EqualsIgnoreCase(*answers.database, kDatabaseChoices[index])) choices.database = index;
    }
    return choices;
}

Installer::Result Installer::Install(InstallView& view, const InstallChoices& choices, bool unattended) {
    context_.unattended = unattended;
    try {
        // Without a GUID of its form nothing may change: it names the folder and the key.
        if (!changes_) CheckProductGuid(package_.settings.guid);
        if (InstallRun(package_, installed_, *changes_, view, context_).Execute(choices) == InstallRun::Outcome::Refused)
            return Result::Refused;
    } catch (const std::exception& e) {
        outcome_ = ExitCodeOf(e);
        view.ShowError(ErrorBoxText(ErrorText(e)));
        if (unattended) GiveUp(view);
        return Result::Failed;
    }
    outcome_ = kSucceeded;
    const std::wstring folder = UninstallFolder(context_.uninstallRoot, package_.settings.guid);
    if (log_.CopyTo(folder + L"\\" + kInstallLog)) log_.Write(L"Log kept in " + folder + L"\\" + kInstallLog);
    return Result::Installed;
}

void Installer::GiveUp(RunView& view) {
    if (!changes_ || !changes_->Pending()) return;
    installed_ = {};
    const UndoReport undone = changes_->Undo();
    view.ShowMessage(L"The install did not finish, and what it had changed was undone: " + undone.Describe());
}

ExitCode RunInstaller(Startup& startup, const CommandLine& line, RunLog& log) {
    Installer installer(startup, log);
    if (line.mode == RunMode::Window) return static_cast<ExitCode>(InstallerWindow(startup, installer, {}).Run());
    const UnattendedInstall answers = UnattendedInstall::From(line);
    if (line.mode == RunMode::Passive)
        return static_cast<ExitCode>(InstallerWindow(startup, installer, answers).Run());
    LoggedInstallView view(nullptr, log, UnattendedAnswers{answers.runSetupPrograms});
    installer.Load(view);
    installer.Install(view, UnattendedChoices(installer.Package().settings, answers), true);
    return installer.Outcome();
}

}  // namespace orvelin
