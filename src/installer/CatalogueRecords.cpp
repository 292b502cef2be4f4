#include "installer/CatalogueRecords.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>

#include "contract/InstallContract.h"
#include "installer/CatalogueCodes.h"
#include "installer/InstallCatalogue.h"
#include "installer/InstallView.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

constexpr int kLastServer = static_cast<int>(std::size(kDatabaseChoices)) - 1;

// Loads one packet; a failure is a finding and leaves the table empty.
bool LoadPacket(DataPacketTable& table, const std::wstring& root, const std::wstring& packet,
                std::vector<Finding>& findings) {
    try {
        table.Load(root + packet);
        return true;
    } catch (const std::exception& e) {
        findings.push_back({FindingKind::PacketUnreadable, packet, {}, ErrorText(e),
                            L"write it again with catalog build, or correct it: it must declare the table's fields "
                            L"with their types",
                            {}});
        return false;
    }
}

std::wstring Code(int value) { return std::to_wstring(value); }

// The findings of one record, which all name it; its name is checked against the ANSI code page.
class RecordFindings {
public:
    RecordFindings(std::vector<Finding>& findings, std::wstring packet, std::wstring record,
                   const std::wstring& name = {})
        : findings_(findings), packet_(std::move(packet)), record_(std::move(record)) {
        CheckAnsiName(findings_, packet_, record_, name);
    }

    void Add(FindingKind kind, std::wstring problem, std::wstring fix) const {
        findings_.push_back({kind, packet_, record_, std::move(problem), std::move(fix), {}});
    }
    void NoParent(int parent, const std::wstring& parentKind, std::wstring fix) const {
        Add(FindingKind::ParentMissing,
            L"PARENT_ID " + Code(parent) + L" names no " + parentKind + L": the install never reaches it", std::move(fix));
    }

private:
    std::vector<Finding>& findings_;
    std::wstring packet_;
    std::wstring record_;
};

// Paths compare as the file system compares names: without regard to letter case.
std::wstring PathKey(std::wstring path) {
    if (!path.empty()) CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

template <typename Record>
std::vector<const Record*> WithId(const std::vector<Record>& records, int id) {
    std::vector<const Record*> found;
    for (const auto& record : records)
        if (record.id == id) found.push_back(&record);
    return found;
}

}  // namespace

CatalogueRecords::CatalogueRecords(const std::wstring& setupFolder, std::vector<Finding>& findings)
    : root_(setupFolder) {
    DataPacketTable applications(ApplicsFields());
    DataPacketTable locations(LocationsFields());
    DataPacketTable folders(FoldersFields());
    DataPacketTable files(FilesFields());
    // Every packet is tried, so that each one that cannot be loaded is named.
    loaded_ = LoadPacket(applications, root_, kApplicsFile, findings);
    loaded_ = LoadPacket(locations, root_, kLocationsFile, findings) && loaded_;
    loaded_ = LoadPacket(folders, root_, kFoldersFile, findings) && loaded_;
    loaded_ = LoadPacket(files, root_, kFilesFile, findings) && loaded_;
    if (!loaded_) return;

    for (applications.First(); !applications.Eof(); applications.Next())
        applications_.push_back({applications.AsInteger(L"MAJOR_ID"), applications.AsText(L"TITLE"),
                                 applications.AsInteger(L"ACCOUNT_T")});
    for (locations.First(); !locations.Eof(); locations.Next())
        locations_.push_back({locations.AsInteger(L"MINOR_ID"), locations.AsInteger(L"PARENT_ID"),
                              locations.AsText(L"TITLE"), locations.AsInteger(L"FUNCTION_ID")});
    for (folders.First(); !folders.Eof(); folders.Next())
        folders_.push_back({folders.AsInteger(L"DETAIL_ID"), folders.AsInteger(L"PARENT_ID"), folders.AsText(L"TITLE"),
                            folders.AsInteger(L"FUNCTION_ID")});
    for (files.First(); !files.Eof(); files.Next())
        files_.push_back({files.AsInteger(L"FILE_ID"), files.AsInteger(L"PARENT_ID"), files.AsInteger(L"NODE_LEVEL"),
                          files.AsText(L"DESCRIPTION")});
}

std::vector<const CatalogueRecords::Application*> CatalogueRecords::ApplicationsWithId(int id) const {
    return WithId(applications_, id);
}
std::vector<const CatalogueRecords::Node*> CatalogueRecords::LocationsWithId(int id) const {
    return WithId(locations_, id);
}
std::vector<const CatalogueRecords::Node*> CatalogueRecords::FoldersWithId(int id) const {
    return WithId(folders_, id);
}

void CatalogueRecords::Check(std::vector<Finding>& findings) const {
    CheckApplications(findings);
    CheckLocations(findings);
    CheckFolders(findings);
    CheckFiles(findings);
}

void CatalogueRecords::CheckApplications(std::vector<Finding>& findings) const {
    std::set<int> ids;
    for (const auto& application : applications_) {
        const RecordFindings record(findings, kApplicsFile, RecordName(L"MAJOR_ID", application.id, application.title));
        if (!ids.insert(application.id).second)
            record.Add(FindingKind::DuplicateId,
                       L"an earlier application has the same MAJOR_ID: the locations under it belong to both",
                       L"give each application an id of its own");
        if (CategorySourceFolder(application.category).empty())
            record.Add(FindingKind::UnknownCategory,
                       L"ACCOUNT_T " + Code(application.category) +
                           L" is no installation category: the install skips the application",
                       L"use 1 (application files), 2 (common files), 4 (Windows files), 0 (database servers) or 3 "
                       L"(other vendors' programs), or remove the application");
    }
}

void CatalogueRecords::CheckLocations(std::vector<Finding>& findings) const {
    std::set<int> ids;
    for (const auto& location : locations_) {
        const RecordFindings record(findings, kLocationsFile, RecordName(L"MINOR_ID", location.id, location.title),
                                    location.title);
        if (!ids.insert(location.id).second)
            record.Add(FindingKind::DuplicateId,
                       L"an earlier location has the same MINOR_ID: the folders and files under it belong to both",
                       L"give each location an id of its own");
        const auto parents = ApplicationsWithId(location.parent);
        if (parents.empty()) record.NoParent(location.parent, L"application", L"give the MAJOR_ID of its application");
        for (const Application* application : parents) {
            const int category = application->category;
            const std::wstring code = L"FUNCTION_ID " + Code(location.function);
            if (category == kDatabaseServerCategory && (location.function == 0 || std::abs(location.function) > kLastServer))
                record.Add(FindingKind::UnknownLocationKind,
                           code + L" names no database server and Windows generation: the install skips the location",
                           L"give the server (1 FIREBIRD, 2 INTERBASE, 3 ORACLE, 4 MYSQL, 5 MSQ), positive for Vista "
                           L"and later, negative for XP and earlier");
            else if (category == kThirdPartyCategory && location.function == 0)
                record.Add(FindingKind::UnknownLocationKind,
                           code + L" names no Windows generation: the install skips the location",
                           L"give 1 for Vista and later, -1 for XP and earlier");
            else if (!HasSetupPrograms(category) && !CategorySourceFolder(category).empty() &&
                     !IsLocationKind(location.function))
                record.Add(FindingKind::UnknownLocationKind, code + L" is no location kind: the install skips the location",
                           L"give 1 (32-bit Program Files), 2 (native Program Files), 3 (ProgramData) or 4 (the "
                           L"user's AppData)");
        }
    }
}

void CatalogueRecords::CheckFolders(std::vector<Finding>& findings) const {
    std::set<int> ids;
    for (const auto& folder : folders_) {
        const RecordFindings record(findings, kFoldersFile, RecordName(L"DETAIL_ID", folder.id, folder.title),
                                    folder.title);
        if (!ids.insert(folder.id).second)
            record.Add(FindingKind::DuplicateId, L"an earlier folder has the same DETAIL_ID: the files under it belong to both",
                       L"give each folder an id of its own");
        const auto parents = LocationsWithId(folder.parent);
        if (parents.empty()) record.NoParent(folder.parent, L"location", L"give the MINOR_ID of its location");
        for (const Node* location : parents) {
            if (!UnderSetupPrograms(*location) || folder.function == kCopyFolderAction) continue;
            const std::wstring code = L"FUNCTION_ID " + Code(folder.function);
            if (folder.function != kVistaRunCode && folder.function != kXpRunCode)
                record.Add(FindingKind::UnknownFolderAction,
                           code + L" is neither 0 (copy) nor 5 or 10 (run): the install skips the folder",
                           L"give 0 to copy the folder's files, 5 (Vista and later) or 10 (XP and earlier) to run them");
            else if ((folder.function == kVistaRunCode) != (location->function > 0))
                record.Add(FindingKind::UnknownFolderAction,
                           code + L" runs programs only in a location for " +
                               (folder.function == kVistaRunCode ? L"Vista and later" : L"XP and earlier") +
                               L", and its location's FUNCTION_ID " + Code(location->function) +
                               L" is for the other generation: they never run",
                           L"give 5 in a location for Vista and later (FUNCTION_ID above 0), 10 in one for XP and "
                           L"earlier");
        }
    }
}

void CatalogueRecords::CheckFiles(std::vector<Finding>& findings) const {
    for (const auto& file : files_) {
        const RecordFindings record(findings, kFilesFile, RecordName(L"FILE_ID", file.id, file.name), file.name);
        if (file.level != kLocationLevel && file.level != kFolderLevel) {
            record.Add(FindingKind::FileNeverCopied,
                       L"NODE_LEVEL " + Code(file.level) +
                           L" is neither 2 (a location's own file) nor 3 (a folder's): the install never copies it",
                       L"give 2 or 3");
            continue;
        }
        if (file.level == kFolderLevel) {
            if (FoldersWithId(file.parent).empty())
                record.NoParent(file.parent, L"folder", L"give the DETAIL_ID of its folder");
            continue;
        }
        const auto parents = LocationsWithId(file.parent);
        if (parents.empty()) record.NoParent(file.parent, L"location", L"give the MINOR_ID of its location");
        for (const Node* location : parents) {
            if (HasFolders(*location))
                record.Add(FindingKind::FileNeverCopied,
                           L"its location has folders, and a location with folders installs only its folders' files",
                           L"attach the file to one of the folders (NODE_LEVEL 3)");
            else if (UnderSetupPrograms(*location))
                record.Add(FindingKind::FileNeverCopied,
                           L"database servers and other vendors' programs install only their folders' files",
                           L"attach the file to a copy folder (NODE_LEVEL 3)");
        }
    }
}

bool CatalogueRecords::HasFolders(const Node& location) const {
    return std::any_of(folders_.begin(), folders_.end(), [&](const Node& folder) { return folder.parent == location.id; });
}

bool CatalogueRecords::UnderSetupPrograms(const Node& location) const {
    return std::any_of(applications_.begin(), applications_.end(), [&](const Application& application) {
        return application.id == location.parent && HasSetupPrograms(application.category);
    });
}

std::vector<std::wstring> CatalogueRecords::SourcesOf(const File& file) const {
    std::vector<std::wstring> sources;
    auto addSource = [&](const Node& location, const Node* folder) {
        for (const Application* application : ApplicationsWithId(location.parent)) {
            const std::wstring category = CategorySourceFolder(application->category);
            if (category.empty()) continue;
            if (!HasSetupPrograms(application->category))
                sources.push_back(root_ + category + L"\\" + file.name);
            else if (folder)
                sources.push_back(root_ + category + L"\\" + location.title + L"\\" + folder->title + L"\\" + file.name);
        }
    };
    if (file.level == kLocationLevel)
        for (const Node* location : LocationsWithId(file.parent)) addSource(*location, nullptr);
    if (file.level == kFolderLevel)
        for (const Node* folder : FoldersWithId(file.parent))
            for (const Node* location : LocationsWithId(folder->parent)) addSource(*location, folder);
    return sources;
}

void CatalogueRecords::CheckFilesTree(const std::vector<std::wstring>& uninstallers, bool anyUninstaller,
                                      std::vector<Finding>& findings) const {
    std::set<std::wstring> listed;
    for (const auto& path : uninstallers) listed.insert(PathKey(path));
    for (const auto& file : files_)
        for (const auto& source : SourcesOf(file)) listed.insert(PathKey(source));
    std::vector<std::wstring> present;
    CollectFiles(present, root_ + L"FILES", L"*.*");
    for (const auto& path : present) {
        if (listed.count(PathKey(path))) continue;
        const std::wstring name = ExtractFileName(path);
        if (anyUninstaller && (EqualsIgnoreCase(name, kUninstallerFile) || EqualsIgnoreCase(name, kUninstallerArabicModule)))
            continue;
        findings.push_back({FindingKind::FileNotListed, L"FILES", path.substr(root_.size()),
                            L"no file record lists it: the install never copies it",
                            L"list it in the catalogue (catalog build lists what the description's patterns match), "
                            L"or take it out of FILES",
                            {}});
    }
}

}  // namespace orvelin
