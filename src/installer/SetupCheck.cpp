#include "installer/SetupCheck.h"

#include <windows.h>

#include <algorithm>

#include "contract/InstallContract.h"
#include "installer/CatalogueCodes.h"
#include "installer/CatalogueRecords.h"
#include "installer/InstallCatalogue.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvelin {

namespace {

// CreateDirectoryW takes at most MAX_PATH - 12 characters with its terminating null; a file
// path at most MAX_PATH.
constexpr size_t kFolderPathLimit = MAX_PATH - 13;
constexpr size_t kFilePathLimit = MAX_PATH - 1;
// An error box lists this many errors; the log has them all.
constexpr int kErrorsShown = 8;

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

void AddFinding(std::vector<Finding>& findings, FindingKind kind, std::wstring packet, std::wstring record,
                std::wstring problem, std::wstring fix) {
    findings.push_back({kind, std::move(packet), std::move(record), std::move(problem), std::move(fix), {}});
}

// A name setup.ini gives for a file or folder the install makes.
void CheckSettingName(std::vector<Finding>& findings, const std::wstring& key, const std::wstring& value,
                      const std::wstring& use, const std::wstring& example) {
    if (value.empty()) {
        AddFinding(findings, FindingKind::SettingMissing, kSetupIniName, key, L"no value: it " + use,
                   L"give it, e.g. " + example);
        return;
    }
    if (!IsPlainFileName(value))
        AddFinding(findings, FindingKind::NameNotPlain, kSetupIniName, key,
                   Quoted(value) + L" is not a plain file name, and it " + use,
                   L"leave out \\ / : * ? \" < > |, a trailing blank or full stop and device names such as CON");
    CheckAnsiName(findings, kSetupIniName, key, value);
}

// The checks of one plan.
class PlanCheck {
public:
    PlanCheck(const SetupPackage& package, const InstallPlan& plan, std::vector<Finding>& findings)
        : package_(package), plan_(plan), root_(IncludeTrailingBackslash(package.folder)), findings_(findings) {}

    void Run() {
        for (const auto& node : plan_.nodes) CheckNode(node);
        const std::wstring& exe = package_.settings.applicationExe;
        if (!exe.empty() && plan_.mainExecutable.empty())
            Add(FindingKind::NoMainExecutable, kSetupIniName, L"[Setup] ApplicExeName",
                L"no file the install copies is named " + Quoted(exe) +
                    L": the shortcuts get no target and the install stops when it copies the uninstaller",
                L"list the main executable in a location of the application's files, or correct ApplicExeName");
        if (!plan_.mainExecutable.empty() && !FileExists(plan_.uninstallerSource))
            Add(FindingKind::UninstallerNotBeside, L"FILES", Relative(plan_.uninstallerSource),
                L"uninstall.exe is not beside the main executable's source: the install stops when it copies it",
                L"put uninstall.exe (and uninstall.ARA) beside " + exe);
    }

private:
    void CheckNode(const PlannedNode& node) {
        const bool setupPrograms = HasSetupPrograms(node.category);
        const std::wstring location = RecordName(L"MINOR_ID", node.locationId, node.locationTitle);
        const std::wstring packet = node.level == kLocationLevel ? kLocationsFile : kFoldersFile;
        const std::wstring record = node.level == kLocationLevel ? location : RecordName(L"DETAIL_ID", node.id, node.title);
        // Database servers and other vendors' programs find their sources through both titles.
        if (setupPrograms) CheckPath(kLocationsFile, location, node.locationTitle, L"TITLE");
        CheckPath(packet, record, node.title, L"TITLE");

        if (node.action == NodeAction::CopyIntoUsedFolder && node.destination.empty())
            Add(FindingKind::CapitalsTitleUnmatched, packet, record,
                L"a copy folder titled in capitals copies into the first folder used before whose path ends with " +
                    Quoted(node.title) + L", and there is none: its files would go to the root of the drive",
                L"title it after a folder that an earlier location or folder installs to (e.g. BIN)");
        if (node.action == NodeAction::CopyIntoTitlePath)
            Add(FindingKind::CopyIntoTitlePath, packet, record,
                L"a copy folder whose title has small letters copies into that title as a path as it stands, "
                L"relative to the installer's current folder, which the install does not create",
                L"title it in capitals to copy into a folder the install used before that ends with it");
        if (node.skipped) {
            const PlannedFile& first = node.files.front();
            Add(FindingKind::NodeSkipped, kFilesFile, RecordName(L"FILE_ID", first.fileId, first.name),
                L"the node's first file has no name, so the install copies none of its " +
                    std::to_wstring(node.files.size()) + L" files",
                L"give the file its name or remove the record");
            return;
        }
        if (node.action != NodeAction::Run && node.destination.size() > kFolderPathLimit)
            Add(FindingKind::DestinationTooLong, packet, record,
                L"the destination folder " + node.destination + L" is longer than Windows' limit of " +
                    std::to_wstring(kFolderPathLimit) + L" characters for a folder",
                L"shorten the titles");
        for (const auto& file : node.files) CheckFile(node, file);
    }

    void CheckFile(const PlannedNode& node, const PlannedFile& file) {
        const std::wstring record = RecordName(L"FILE_ID", file.fileId, file.name);
        CheckPath(kFilesFile, record, file.name, L"DESCRIPTION");
        if (node.action == NodeAction::Run) {
            if (!FileExists(file.source))
                Add(FindingKind::SetupProgramMissing, kFilesFile, record,
                    Relative(file.source) + L" is not there: the install says \"Error starting the application!\" "
                                            L"and goes on",
                    L"put the setup program there, or remove the record");
            if (!package_.settings.QuietArgumentsOf(file.name))
                Add(FindingKind::NoQuietArguments, kSetupIniName, L"[QuietArguments] " + ExtractFileName(file.name),
                    L"an install nobody watches starts " + ExtractFileName(file.name) +
                        L" without arguments, and it may wait for a person",
                    L"add " + ExtractFileName(file.name) + L"=<its silent switches> to [QuietArguments]");
            return;
        }
        if (!FileExists(file.source))
            Add(FindingKind::SourceMissing, kFilesFile, record,
                Relative(file.source) + L" is not there: the install would stop at this file",
                L"put the file into " + Relative(node.sourceFolder) + L", or remove the record");
        if (node.action != NodeAction::CopyIntoTitlePath && !node.destination.empty() &&
            file.destination.size() > kFilePathLimit)
            Add(FindingKind::DestinationTooLong, kFilesFile, record,
                L"the destination " + file.destination + L" is longer than Windows' limit of " +
                    std::to_wstring(kFilePathLimit) + L" characters",
                L"shorten the file name or the titles");
    }

    // A title or file name is joined to a folder: it must stay below it.
    void CheckPath(const std::wstring& packet, const std::wstring& record, const std::wstring& text,
                   const std::wstring& field) {
        if (!StaysBelow(text))
            Add(FindingKind::NameLeavesFolder, packet, record,
                field + L" " + Quoted(text) + L" leaves the folder it is joined to (\"..\", a drive or a root)",
                L"give a name, or a relative path below the folder");
    }

    std::wstring Relative(const std::wstring& path) const {
        return path.starts_with(root_) ? path.substr(root_.size()) : path;
    }

    void Add(FindingKind kind, const std::wstring& packet, const std::wstring& record, const std::wstring& problem,
             const std::wstring& fix) {
        AddFinding(findings_, kind, packet, record, problem, fix);
    }

    const SetupPackage& package_;
    const InstallPlan& plan_;
    std::wstring root_;
    std::vector<Finding>& findings_;
};

// The settings, then each plan; a finding of only some plans names their Windows.
std::vector<Finding> CheckPlans(const SetupPackage& package, const std::vector<InstallPlan>& plans) {
    std::vector<std::vector<Finding>> perPlan;
    for (const auto& plan : plans) PlanCheck(package, plan, perPlan.emplace_back()).Run();
    std::vector<Finding> findings = CheckSettings(package.settings);
    for (size_t i = 0; i < plans.size(); ++i) {
        for (Finding finding : perPlan[i]) {
            const bool everywhere = std::all_of(perPlan.begin(), perPlan.end(), [&](const auto& other) {
                return std::find(other.begin(), other.end(), finding) != other.end();
            });
            if (!everywhere) finding.windows = GenerationName(plans[i].windows);
            findings.push_back(std::move(finding));
        }
    }
    SortFindings(findings);
    return findings;
}

}  // namespace

std::vector<Finding> CheckSettings(const SetupSettings& settings) {
    std::vector<Finding> findings;
    CheckSettingName(findings, L"[Setup] ApplicExeName", settings.applicationExe,
                     L"names the main executable, the shortcuts' target", L"ApplicExeName=Accounts.exe");
    if (IsPlainFileName(settings.applicationExe) && !IsPlainFileName(ChangeFileExt(settings.applicationExe, L"")))
        AddFinding(findings, FindingKind::NameNotPlain, kSetupIniName, L"[Setup] ApplicExeName",
                   Quoted(settings.applicationExe) +
                       L" has no plain name before its extension, and that name is the application's folders' and "
                       L"settings key's",
                   L"give the executable's whole name, e.g. ApplicExeName=Accounts.exe");
    if (settings.guid.empty())
        AddFinding(findings, FindingKind::SettingMissing, kSetupIniName, L"[Install] GuidId",
                   L"no value: the GUID names the Uninstall key, the uninstall folder and the application's mutex",
                   L"give the application's GUID, e.g. GuidId={5E3C2A71-9B4D-4F6A-8C1E-2D7B9A0F4C63}");
    else if (!IsProductGuid(settings.guid))
        AddFinding(findings, FindingKind::GuidMalformed, kSetupIniName, L"[Install] GuidId",
                   Quoted(settings.guid) + L" is not a GUID in braces",
                   L"give it as {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx} in hexadecimal digits");
    CheckSettingName(findings, L"[Install] DisplayName", settings.displayName,
                     L"(or [Setup] ApplicFullName) names the product in Windows' list of programs and its Start-menu "
                     L"folder",
                     L"DisplayName=Orvelin Accounts 2.0");
    CheckSettingName(findings, L"[Install] DskTopShortCutName", settings.shortcutName, L"names the shortcuts",
                     L"DskTopShortCutName=Orvelin Accounts");
    return findings;
}

std::vector<Finding> CheckInstall(SetupPackage& package, const std::vector<WindowsPlatform>& windows,
                                  int databaseIndex) {
    std::vector<InstallPlan> plans;
    for (const auto& platform : windows) plans.push_back(PlanInstall(package, platform, databaseIndex));
    return CheckPlans(package, plans);
}

std::vector<WindowsPlatform> BothGenerations(const WindowsPlatform& here) {
    return {here, WindowsPlatform{here.VistaOrLater() ? 5 : 6, here.is64Bit}};
}

std::wstring GenerationName(const WindowsPlatform& windows) {
    return windows.VistaOrLater() ? L"Windows Vista and later" : L"Windows XP and earlier";
}

std::vector<Finding> CheckSetupFolder(const std::wstring& folder) {
    const std::wstring root = IncludeTrailingBackslash(folder);
    std::vector<Finding> findings;
    const bool hasSetupIni = FileExists(root + kSetupIniName);
    if (!hasSetupIni)
        AddFinding(findings, FindingKind::SetupIniMissing, kSetupIniName, {},
                   L"the setup folder has no setup.ini: install.exe ends at once", L"put setup.ini beside install.exe");

    CatalogueRecords records(root, findings);
    if (!records.Loaded()) return findings;
    records.Check(findings);
    // What the install does, and so which files it takes, depends on setup.ini.
    if (!hasSetupIni) return findings;

    SetupPackage package;
    package.Load(root, IniFile(root + kSetupIniName));
    std::vector<InstallPlan> plans;
    std::vector<std::wstring> uninstallers;
    for (const auto& platform : BothGenerations(WindowsPlatform::Detect())) {
        plans.push_back(PlanInstall(package, platform, DefaultDatabaseIndex(package.settings)));
        const std::wstring& uninstaller = plans.back().uninstallerSource;
        if (uninstaller.empty()) continue;
        uninstallers.push_back(uninstaller);
        uninstallers.push_back(ExtractFilePath(uninstaller) + kUninstallerArabicModule);
    }
    const std::vector<Finding> install = CheckPlans(package, plans);
    findings.insert(findings.end(), install.begin(), install.end());
    // Without a main executable an error says so already; its uninstaller is no stray file.
    records.CheckFilesTree(uninstallers, uninstallers.empty(), findings);
    SortFindings(findings);
    return findings;
}

void CheckBeforeInstall(SetupPackage& package, const WindowsPlatform& windows, int databaseIndex, RunLog& log) {
    std::wstring errors;
    int errorCount = 0;
    for (const auto& finding : CheckInstall(package, {windows}, databaseIndex)) {
        log.Write(L"Setup check: " + FindingText(finding));
        if (finding.Class() == FindingClass::Error && ++errorCount <= kErrorsShown)
            errors += L"\r\n\r\n" + FindingText(finding);
    }
    if (errorCount == 0) return;
    if (errorCount > kErrorsShown)
        errors += L"\r\n\r\n... and " + std::to_wstring(errorCount - kErrorsShown) + L" more errors (the log lists them)";
    throw Error(L"The setup folder has errors, so nothing was installed:" + errors);
}

}  // namespace orvelin
