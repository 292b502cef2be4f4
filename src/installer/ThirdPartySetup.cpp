// Database servers and other vendors' programs: copy folders go through the copy engine,
// run folders' setup programs are started one after the other once the user agrees.
#include <cstdlib>

#include "installer/InstallRun.h"
#include "shared/CommonHelpers.h"
#include "shared/TextUtil.h"
#include "shared/WindowsVersion.h"

namespace orvelin {

namespace {

constexpr int CopyFolderAction = 0;
constexpr int VistaRunCode = 5;
constexpr int PreVistaRunCode = 10;

constexpr const wchar_t* RunQuestion =
    L"DB Server should run only on the server, not on the clients. If already installed on the server, no need "
    L"to reinstall it (If single user the PC is considered the server). Do you want to run the DB server "
    L"installation?";

bool IsVistaOrLater() { return WindowsMajorVersion() >= 6; }

// "FIREBIRD25" is announced as "FIREBIRD": the digits only tell versions apart.
std::wstring WithoutTrailingDigits(std::wstring text) {
    while (!text.empty() && text.back() >= L'0' && text.back() <= L'9') text.pop_back();
    return text;
}

}  // namespace

void InstallRun::InstallDbServers() {
    int index = view_.DatabaseIndex();
    if (index == 0) {
        view_.ShowMessage(L"Firebird server will be used since no server was selected");
        view_.SelectDatabase(kFirebirdIndex);
        index = kFirebirdIndex;
    }
    const std::wstring categoryFolder = currentSourceFolder;
    DataPacketTable& locations = state_.catalogue.cdsLocations;
    for (locations.First(); !locations.Eof(); locations.Next()) {
        const int function = locations.AsInteger(L"FUNCTION_ID");
        if (std::abs(function) != index) continue;
        // Only one location serves: the chosen server's for the running Windows generation.
        if (IsVistaOrLater() && function > 0) {
            ProcessLocationFolders(VistaRunCode, categoryFolder, SetupCategory::DatabaseServers);
            return;
        }
        if (!IsVistaOrLater() && function < 0) {
            ProcessLocationFolders(PreVistaRunCode, categoryFolder, SetupCategory::DatabaseServers);
            return;
        }
    }
}

void InstallRun::InstallThirdPartyPrograms() {
    const std::wstring categoryFolder = currentSourceFolder;
    DataPacketTable& locations = state_.catalogue.cdsLocations;
    for (locations.First(); !locations.Eof(); locations.Next()) {
        const int function = locations.AsInteger(L"FUNCTION_ID");
        if (IsVistaOrLater() && function > 0)
            ProcessLocationFolders(VistaRunCode, categoryFolder, SetupCategory::ThirdParty);
        else if (!IsVistaOrLater() && function < 0)
            ProcessLocationFolders(PreVistaRunCode, categoryFolder, SetupCategory::ThirdParty);
    }
}

void InstallRun::ProcessLocationFolders(int runCode, const std::wstring& categoryFolder, SetupCategory category) {
    const std::wstring locationTitle = state_.catalogue.cdsLocations.AsText(L"TITLE");
    DataPacketTable& folders = state_.catalogue.cdsFolders;
    for (folders.First(); !folders.Eof(); folders.Next()) {
        const int action = folders.AsInteger(L"FUNCTION_ID");
        const std::wstring title = folders.AsText(L"TITLE");
        const std::wstring sourceFolder = categoryFolder + L"\\" + locationTitle + L"\\" + title;
        if (action == CopyFolderAction) {
            // A title in capitals names a folder already installed into; any other is a path.
            const std::wstring destination = HasNoLowercase(title) ? FindUsedFolder(title) : title;
            currentSourceFolder = sourceFolder;
            CopyNodeFiles(destination, kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        } else if (action == runCode) {
            runFolder = sourceFolder;
            const std::wstring name =
                category == SetupCategory::DatabaseServers ? WithoutTrailingDigits(locationTitle) : title;
            view_.ShowMessage(L"Installer will run the setup program for: " + name);
            if (view_.Ask(RunQuestion)) RunFolderPrograms(kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        }
    }
}

void InstallRun::RunFolderPrograms(int nodeLevel, int parentId) {
    DataPacketTable& files = state_.catalogue.cdsFiles;
    state_.catalogue.SelectNodeFiles(nodeLevel, parentId);
    const int description = files.FieldIndex(L"DESCRIPTION");
    for (; !files.Eof(); files.Next())
        RunAndWait(view_, runFolder + L"\\" + std::wstring(files.AsTextView(description)), true);
}

std::wstring InstallRun::FindUsedFolder(const std::wstring& title) const {
    if (title.empty()) return {};
    for (const auto& folder : usedFolders) {
        const size_t found = folder.find(title);
        if (found != std::wstring::npos && found + title.size() == folder.size()) return folder;
    }
    return {};
}

}  // namespace orvelin
