#include "installer/CopyEngine.h"

#include <shlobj.h>

#include "contract/InstallContract.h"
#include "installer/CatalogueCodes.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"

namespace orvelin {

std::wstring CheckFolderPath(const std::wstring& path, const Translator& translate) {
    if (path.empty()) throw Error(translate(L"The path is blank") + L" ");
    return IncludeTrailingBackslash(path);
}

CopyEngine::CopyEngine(InstallCatalogue& catalogue, InstalledFiles& installed, InstallChanges& changes, RunView& view,
                       const WindowsPlatform& windows, const std::wstring& applicationExe, const Translator& translate)
    : catalogue_(catalogue),
      installed_(installed),
      changes_(changes),
      view_(view),
      windows_(windows),
      applicationExe_(applicationExe),
      translate_(translate) {}

void CopyEngine::CopyLocations(const std::wstring& sourceFolder) {
    DataPacketTable& locations = catalogue_.locations;
    DataPacketTable& folders = catalogue_.folders;
    for (locations.First(); !locations.Eof(); locations.Next()) {
        const std::wstring base = LocationBaseFolder(locations.AsInteger(L"FUNCTION_ID"));
        if (base.empty()) continue;
        // A location's own files count only when it has no folders.
        if (folders.RecordCount() == 0) {
            const std::wstring destination = base + locations.AsText(L"TITLE");
            changes_.CreateFolders(destination);
            CopyNodeFiles(sourceFolder, destination, kLocationLevel, locations.AsInteger(L"MINOR_ID"));
            continue;
        }
        for (folders.First(); !folders.Eof(); folders.Next()) {
            const std::wstring destination = base + folders.AsText(L"TITLE");
            changes_.CreateFolders(destination);
            CopyNodeFiles(sourceFolder, destination, kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        }
    }
}

void CopyEngine::CopyNodeFiles(const std::wstring& sourceFolder, const std::wstring& destination, int level,
                               int nodeId) {
    usedFolders_.push_back(destination);

    DataPacketTable& files = catalogue_.files;
    catalogue_.SelectNodeFiles(level, nodeId);
    const int selected = files.RecordCount();
    if (selected > 0) {
        const int description = files.FieldIndex(L"DESCRIPTION");
        const std::wstring firstName(files.AsTextView(description));
        // Only the first file is looked at: a notice now, the failing copy ends the run.
        if (!FileExists(sourceFolder + L"\\" + firstName))
            view_.ShowMessage(L"Source file not found: " + sourceFolder + L"\\" + firstName);
        if (!DirectoryExists(destination + L"\\")) view_.ShowMessage(L"distnation not found: " + destination + L"\\");
        if (firstName.empty()) return;

        std::vector<std::wstring> names;
        names.reserve(selected);
        for (; !files.Eof(); files.Next()) names.emplace_back(files.AsTextView(description));
        std::vector<std::wstring> destinations;
        destinations.reserve(names.size());
        for (const auto& name : names) destinations.push_back(destination + L"\\" + name);
        changes_.ExpectWrites(destinations);

        const std::wstring mainExecutable = UpperAscii(applicationExe_);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::wstring sourceFile = sourceFolder + L"\\" + names[i];
            CopyOrFail(changes_, view_, sourceFile, destinations[i], {sourceFile, destination});
            view_.SetStatus(L"Copying: " + sourceFile);
            installed_.paths.push_back(destinations[i]);
            if (UpperAscii(names[i]) == mainExecutable) {
                installed_.mainExecutable = destinations[i];
                installed_.uninstallerSource = sourceFolder + L"\\" + kUninstallerFile;
            }
        }
    }
    view_.StepProgress(selected);
    view_.ProcessMessages();
}

std::wstring LocationBaseFolder(int kind, const WindowsPlatform& windows, const std::wstring& applicationExe,
                                const Translator& translate) {
    std::wstring folder;
    switch (kind) {
        case kProgramFilesX86Kind:
            folder = GetSpecialFolder(windows.VistaOrLater() ? CSIDL_PROGRAM_FILESX86 : CSIDL_PROGRAM_FILES);
            break;
        case kProgramFilesKind:
            // The 32-bit view of the shell would give the 32-bit folder on 64-bit Windows.
            folder = windows.is64Bit ? ReadProgramFilesDir() : GetSpecialFolder(CSIDL_PROGRAM_FILES);
            break;
        case kCommonDataKind:
            folder = GetSpecialFolder(CSIDL_COMMON_APPDATA);
            break;
        case kUserDataKind:
            folder = GetSpecialFolder(CSIDL_APPDATA);
            break;
        default:
            return {};
    }
    return CheckFolderPath(CompanyFolder(folder, ChangeFileExt(applicationExe, L"")), translate);
}

std::wstring FolderEndingWith(const std::vector<std::wstring>& folders, const std::wstring& title) {
    if (title.empty()) return {};
    for (const auto& folder : folders) {
        const size_t found = folder.find(title);
        if (found != std::wstring::npos && found + title.size() == folder.size()) return folder;
    }
    return {};
}

std::wstring CopyEngine::LocationBaseFolder(int kind) const {
    return orvelin::LocationBaseFolder(kind, windows_, applicationExe_, translate_);
}

std::wstring CopyEngine::UsedFolderEndingWith(const std::wstring& title) const {
    return FolderEndingWith(usedFolders_, title);
}

}  // namespace orvelin
