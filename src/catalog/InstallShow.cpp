#include "catalog/InstallShow.h"

#include "catalog/CatalogueVocabulary.h"
#include "installer/CatalogueCodes.h"
#include "installer/InstallPlan.h"
#include "installer/InstallView.h"

namespace orvelin {

namespace {

constexpr int kWindowsXpVersion = 5;

class Show {
public:
    Show(SetupPackage& package, const WindowsPlatform& here)
        : package_(package),
          databaseIndex_(DefaultDatabaseIndex(package.settings)),
          here_(PlanInstall(package, here, databaseIndex_)),
          xp_(PlanInstall(package, WindowsPlatform{kWindowsXpVersion, here.is64Bit}, databaseIndex_)) {}

    std::wstring Text() {
        const SetupSettings& settings = package_.settings;
        Line(0, settings.displayName + L" (" + settings.applicationExe + L"), GUID " + settings.guid);
        Line(0, L"destinations here (Windows " + std::to_wstring(here_.windows.majorVersion) +
                    L") and on Windows XP" +
                    (databaseIndex_ > 0 ? L"; database server " + std::wstring(kDatabaseChoices[databaseIndex_])
                                        : L"; no database server offered"));
        InstallCatalogue& catalogue = package_.catalogue;
        for (catalogue.applications.First(); !catalogue.applications.Eof(); catalogue.applications.Next()) {
            const int category = catalogue.applications.AsInteger(L"ACCOUNT_T");
            const std::wstring words = CategoryWord(category);
            Line(0, L"");
            Line(0, L"application " + catalogue.applications.AsText(L"TITLE") + L": " +
                        (words.empty() ? L"ACCOUNT_T " + std::to_wstring(category) + L", not installed" : words));
            if (!words.empty()) Locations(category);
        }
        return std::move(text_);
    }

private:
    void Locations(int category) {
        DataPacketTable& locations = package_.catalogue.locations;
        DataPacketTable& folders = package_.catalogue.folders;
        for (locations.First(); !locations.Eof(); locations.Next()) {
            Line(1, L"location " + locations.AsText(L"TITLE") + L": " +
                        LocationWords(category, locations.AsInteger(L"FUNCTION_ID")));
            // A location with folders installs only theirs.
            if (!HasSetupPrograms(category) && folders.RecordCount() == 0) {
                Node(2, kLocationLevel, locations.AsInteger(L"MINOR_ID"));
                continue;
            }
            for (folders.First(); !folders.Eof(); folders.Next()) {
                const std::wstring action =
                    HasSetupPrograms(category) ? L": " + FolderActionWords(folders.AsInteger(L"FUNCTION_ID")) : L"";
                Line(2, L"folder " + folders.AsText(L"TITLE") + action);
                Node(3, kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
            }
        }
    }

    void Node(int depth, int level, int id) {
        const PlannedNode* here = Find(here_, level, id);
        const PlannedNode* xp = Find(xp_, level, id);
        Line(depth, L"here: " + Where(here));
        Line(depth, L"XP:   " + Where(xp));
        const PlannedNode* planned = here ? here : xp;
        const bool runs = planned && planned->action == NodeAction::Run;
        if (planned) {
            for (const auto& file : planned->files) Line(depth, (runs ? L"run " : L"file ") + file.name);
            return;
        }
        DataPacketTable& files = package_.catalogue.files;
        for (package_.catalogue.SelectNodeFiles(level, id); !files.Eof(); files.Next())
            Line(depth, L"file " + files.AsText(L"DESCRIPTION"));
    }

    static const PlannedNode* Find(const InstallPlan& plan, int level, int id) {
        for (const auto& node : plan.nodes)
            if (node.level == level && node.id == id) return &node;
        return nullptr;
    }

    static std::wstring Where(const PlannedNode* node) {
        if (!node) return L"not installed";
        if (node->action == NodeAction::Run) return L"offered to run, after a question";
        if (node->skipped) return L"skipped: its first file has no name";
        if (node->action == NodeAction::CopyIntoUsedFolder && node->destination.empty())
            return L"nowhere: no folder used before ends with " + node->title;
        if (node->action == NodeAction::CopyIntoTitlePath)
            return node->destination + L" (the title as a path, from the installer's current folder)";
        return node->destination;
    }

    void Line(int depth, const std::wstring& text) { text_ += std::wstring(2 * depth, L' ') + text + L"\r\n"; }

    SetupPackage& package_;
    int databaseIndex_;
    InstallPlan here_;
    InstallPlan xp_;
    std::wstring text_;
};

}  // namespace

std::wstring ShowInstall(SetupPackage& package, const WindowsPlatform& here) { return Show(package, here).Text(); }

}  // namespace orvelin
