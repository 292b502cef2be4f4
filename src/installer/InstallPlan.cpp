#include "installer/InstallPlan.h"

#include <cstdlib>

#include "contract/InstallContract.h"
#include "installer/CatalogueCodes.h"
#include "installer/CopyEngine.h"
#include "installer/InstallView.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

// The install run's walk (InstallRun, CopyEngine, SetupPrograms) with every step noted
// instead of done.
class Planner {
public:
    Planner(SetupPackage& package, const WindowsPlatform& windows)
        : catalogue_(package.catalogue),
          applicationExe_(package.settings.applicationExe),
          setupRoot_(IncludeTrailingBackslash(package.folder)) {
        plan_.windows = windows;
    }

    InstallPlan Walk(int databaseIndex) {
        DataPacketTable& applications = catalogue_.applications;
        for (applications.First(); !applications.Eof(); applications.Next()) {
            category_ = applications.AsInteger(L"ACCOUNT_T");
            const std::wstring sourceFolder = setupRoot_ + CategorySourceFolder(category_);
            switch (category_) {
                case kDatabaseServerCategory: PlanServer(sourceFolder, databaseIndex); break;
                case kThirdPartyCategory: PlanThirdParty(sourceFolder); break;
                case kApplicationCategory:
                case kCommonCategory:
                case kWindowsCategory: PlanLocations(sourceFolder); break;
                default: break;
            }
        }
        return std::move(plan_);
    }

private:
    void PlanLocations(const std::wstring& sourceFolder) {
        DataPacketTable& locations = catalogue_.locations;
        DataPacketTable& folders = catalogue_.folders;
        for (locations.First(); !locations.Eof(); locations.Next()) {
            const std::wstring base =
                LocationBaseFolder(locations.AsInteger(L"FUNCTION_ID"), plan_.windows, applicationExe_, Translator());
            if (base.empty()) continue;
            if (folders.RecordCount() == 0) {
                const std::wstring title = locations.AsText(L"TITLE");
                AddNode(NodeAction::Copy, kLocationLevel, locations.AsInteger(L"MINOR_ID"), title, sourceFolder,
                        base + title);
                continue;
            }
            for (folders.First(); !folders.Eof(); folders.Next()) {
                const std::wstring title = folders.AsText(L"TITLE");
                AddNode(NodeAction::Copy, kFolderLevel, folders.AsInteger(L"DETAIL_ID"), title, sourceFolder,
                        base + title);
            }
        }
    }

    void PlanServer(const std::wstring& sourceFolder, int databaseIndex) {
        if (databaseIndex == 0) databaseIndex = kFirebirdIndex;
        DataPacketTable& locations = catalogue_.locations;
        for (locations.First(); !locations.Eof(); locations.Next()) {
            const int function = locations.AsInteger(L"FUNCTION_ID");
            if (std::abs(function) == databaseIndex && SuitsWindows(function, plan_.windows)) {
                PlanLocationFolders(sourceFolder);
                return;
            }
        }
    }

    void PlanThirdParty(const std::wstring& sourceFolder) {
        DataPacketTable& locations = catalogue_.locations;
        for (locations.First(); !locations.Eof(); locations.Next())
            if (SuitsWindows(locations.AsInteger(L"FUNCTION_ID"), plan_.windows)) PlanLocationFolders(sourceFolder);
    }

    void PlanLocationFolders(const std::wstring& categoryFolder) {
        const std::wstring locationFolder = categoryFolder + L"\\" + catalogue_.locations.AsText(L"TITLE");
        const int runCode = RunCodeFor(plan_.windows);
        DataPacketTable& folders = catalogue_.folders;
        for (folders.First(); !folders.Eof(); folders.Next()) {
            const int action = folders.AsInteger(L"FUNCTION_ID");
            const std::wstring title = folders.AsText(L"TITLE");
            const int id = folders.AsInteger(L"DETAIL_ID");
            const std::wstring sourceFolder = locationFolder + L"\\" + title;
            if (action == kCopyFolderAction) {
                if (HasNoLowercase(title))
                    AddNode(NodeAction::CopyIntoUsedFolder, kFolderLevel, id, title, sourceFolder,
                            FolderEndingWith(usedFolders_, title));
                else
                    AddNode(NodeAction::CopyIntoTitlePath, kFolderLevel, id, title, sourceFolder, title);
            } else if (action == runCode) {
                AddNode(NodeAction::Run, kFolderLevel, id, title, sourceFolder, {});
            }
        }
    }

    void AddNode(NodeAction action, int level, int id, const std::wstring& title, const std::wstring& sourceFolder,
                 const std::wstring& destination) {
        PlannedNode node{.category = category_,
                         .locationId = catalogue_.locations.AsInteger(L"MINOR_ID"),
                         .locationTitle = catalogue_.locations.AsText(L"TITLE"),
                         .level = level,
                         .id = id,
                         .title = title,
                         .action = action,
                         .sourceFolder = sourceFolder,
                         .destination = destination};
        const bool copies = action != NodeAction::Run;
        if (copies) usedFolders_.push_back(destination);
        DataPacketTable& files = catalogue_.files;
        catalogue_.SelectNodeFiles(level, id);
        for (; !files.Eof(); files.Next()) {
            PlannedFile file{.fileId = files.AsInteger(L"FILE_ID"), .name = files.AsText(L"DESCRIPTION")};
            file.source = sourceFolder + L"\\" + file.name;
            if (copies) file.destination = destination + L"\\" + file.name;
            node.files.push_back(std::move(file));
        }
        node.skipped = copies && !node.files.empty() && node.files.front().name.empty();
        if (copies && !node.skipped) {
            for (const auto& file : node.files) {
                if (UpperAscii(file.name) != UpperAscii(applicationExe_)) continue;
                plan_.mainExecutable = file.destination;
                plan_.uninstallerSource = sourceFolder + L"\\" + kUninstallerFile;
            }
        }
        plan_.nodes.push_back(std::move(node));
    }

    InstallCatalogue& catalogue_;
    std::wstring applicationExe_;
    std::wstring setupRoot_;
    int category_ = 0;
    std::vector<std::wstring> usedFolders_;
    InstallPlan plan_;
};

}  // namespace

InstallPlan PlanInstall(SetupPackage& package, const WindowsPlatform& windows, int databaseIndex) {
    return Planner(package, windows).Walk(databaseIndex);
}

int DefaultDatabaseIndex(const SetupSettings& settings) { return settings.offersDatabaseServer ? kFirebirdIndex : -1; }

}  // namespace orvelin
