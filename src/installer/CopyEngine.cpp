// The catalogue copy engine: location base folders, destination folders and the copy of one
// catalogue node's files.
#include <shlobj.h>

#include "installer/FileCopy.h"
#include "installer/InstallRun.h"
#include "shared/CommonHelpers.h"
#include "shared/FileSystem.h"
#include "shared/GenUtil.h"
#include "shared/TextUtil.h"
#include "shared/WindowsVersion.h"

namespace orvelin {

void InstallRun::CopyLocations() {
    DataPacketTable& locations = state_.catalogue.cdsLocations;
    DataPacketTable& folders = state_.catalogue.cdsFolders;
    for (locations.First(); !locations.Eof(); locations.Next()) {
        const std::wstring base = LocationBaseFolder(locations.AsInteger(L"FUNCTION_ID"));
        if (base.empty()) continue;
        // A location's own files count only when it has no folders.
        if (folders.RecordCount() == 0) {
            const std::wstring destination = base + locations.AsText(L"TITLE");
            ForceDirectories(destination);
            CopyNodeFiles(destination, kLocationLevel, locations.AsInteger(L"MINOR_ID"));
            continue;
        }
        for (folders.First(); !folders.Eof(); folders.Next()) {
            const std::wstring destination = base + folders.AsText(L"TITLE");
            ForceDirectories(destination);
            CopyNodeFiles(destination, kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        }
    }
}

void InstallRun::CopyNodeFiles(const std::wstring& destination, int nodeLevel, int nodeId) {
    usedFolders.push_back(destination);

    DataPacketTable& files = state_.catalogue.cdsFiles;
    state_.catalogue.SelectNodeFiles(nodeLevel, nodeId);
    const int selected = files.RecordCount();
    if (selected > 0) {
        const int description = files.FieldIndex(L"DESCRIPTION");
        const std::wstring& source = currentSourceFolder;
        const std::wstring firstName(files.AsTextView(description));
        // Only the first file is looked at: a notice now, the failing copy ends the run.
        if (!FileExists(source + L"\\" + firstName))
            view_.ShowMessage(L"Source file not found: " + source + L"\\" + firstName);
        if (!DirectoryExists(destination + L"\\")) view_.ShowMessage(L"distnation not found: " + destination + L"\\");
        if (firstName.empty()) return;

        const std::wstring mainExecutable =
            UpperAscii(state_.lbShortCutExe.empty() ? std::wstring() : state_.lbShortCutExe.front());
        for (; !files.Eof(); files.Next()) {
            const std::wstring name(files.AsTextView(description));
            const std::wstring sourceFile = source + L"\\" + name;
            const std::wstring destinationFile = destination + L"\\" + name;
            CopyFileReplacing(view_, sourceFile, destinationFile, CopyFailureNotice(sourceFile, destination));
            view_.SetStatus(L"Copying: " + sourceFile);
            state_.InstalledFileList.push_back(destinationFile);
            if (UpperAscii(name) == mainExecutable) {
                state_.ShortcutTarget = destinationFile;
                state_.UninstallProgPath = source + L"\\uninstall.exe";
            }
        }
    }
    view_.StepProgress(selected);
    view_.ProcessMessages();
}

std::wstring InstallRun::ReadProgramFilesDir() const {
    return ReadLocalMachineString(L"\\Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir");
}

std::wstring InstallRun::LocationBaseFolder(int kind) const {
    std::wstring folder;
    switch (kind) {
        case 1:
            folder = GetSpecialFolder(WindowsMajorVersion() <= 5 ? CSIDL_PROGRAM_FILES : CSIDL_PROGRAM_FILESX86);
            break;
        case 2:
            // The 32-bit view of the shell would give the 32-bit folder on 64-bit Windows.
            folder = state_.PlatForm64 ? ReadProgramFilesDir() : GetSpecialFolder(CSIDL_PROGRAM_FILES);
            break;
        case 3:
            folder = GetSpecialFolder(CSIDL_COMMON_APPDATA);
            break;
        case 4:
            folder = GetSpecialFolder(CSIDL_APPDATA);
            break;
        default:
            return {};
    }
    return CheckFolderPath(folder + L"\\ORVELIN\\" + ChangeFileExt(state_.ApplicExeName, L""));
}

}  // namespace orvelin
