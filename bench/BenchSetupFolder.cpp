#include "BenchSetupFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "contract/InstallContract.h"
#include "installer/CatalogueWriter.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"

namespace orvelin::bench {

namespace {

constexpr wchar_t kApplicationFiles[] = L"FILES\\INSTALLED APPLIC\\";
// Written once every application file is: the shape they were written for.
constexpr wchar_t kFilesNote[] = L"bench-files.txt";
constexpr int kLocationId = 10;
constexpr int kFirstFolderId = 1000;

// No database server and no desktop shortcut: the run is the copy and its record.
std::string SetupIni() {
    return "[Setup]\r\nApplicExeName=" + ToUtf8(kBenchApplicationName) + ".exe\r\nApplicFullName=Orvelin Bench Suite\r\n"
           "InstallDbServer=0\r\n\r\n[Install]\r\nGuidId=" + ToUtf8(kBenchGuid) +
           "\r\nDskTopShortCutName=Orvelin Bench\r\nDisplayName=" + ToUtf8(kBenchDisplayName) +
           "\r\nAddShortCut=0\r\n\r\n[UnInstall]\r\nRemove=1\r\n";
}

std::wstring Numbered(const wchar_t* format, int number) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), format, number);
    return text;
}

// The first file is the application's main executable (the shortcut's target); the others
// are report layouts. Names are unique, as the files of a category share one source folder.
std::wstring FileName(int index) {
    return index == 0 ? std::wstring(kBenchApplicationName) + L".exe" : Numbered(L"Statement %05d.rpt", index);
}

std::string FilesShape() {
    return "folders=" + std::to_string(kFolderCount) + " files_per_folder=" + std::to_string(kFilesPerFolder) +
           " file_bytes=" + std::to_string(kFileBytes) + "\r\n";
}

bool NoteSays(const std::wstring& note, const std::string& shape) {
    try {
        return ReadFileBytes(note) == shape;
    } catch (const std::exception&) {
        return false;   // no note: the files are not all there
    }
}

void CopyOrThrow(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw Error(L"Cannot copy " + from + L": " + SystemErrorText(GetLastError()));
}

}  // namespace

BenchSetupFolder::BenchSetupFolder(std::wstring folder, const std::wstring& sampleSetup) : folder_(std::move(folder)) {
    const std::wstring sourceFolder = folder_ + kApplicationFiles;
    if (!ForceDirectories(sourceFolder)) throw Error(L"Cannot create " + sourceFolder);
    for (const wchar_t* program : {L"install.exe", L"install.ARA"}) CopyOrThrow(sampleSetup + program, folder_ + program);
    for (const wchar_t* program : {kUninstallerFile, kUninstallerArabicModule})
        CopyOrThrow(sampleSetup + kApplicationFiles + program, sourceFolder + program);
    WriteFileBytes(folder_ + L"setup.ini", SetupIni());

    const std::wstring note = folder_ + kFilesNote;
    filesReused_ = NoteSays(note, FilesShape());
    layout_.applicationFolder = CompanyFolder(GetSpecialFolder(CSIDL_PROGRAM_FILESX86), kBenchApplicationName);
    CatalogueWriter catalogue;
    catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Orvelin Bench", .accountType = 1});
    catalogue.Add(CatalogueLocation{.minorId = kLocationId, .parentId = 1, .title = L"PROGRAM", .functionId = 1});
    std::string content(kFileBytes, 'x');
    for (int f = 0; f < kFolderCount; ++f) {
        const std::wstring title = Numbered(L"Folder %04d", f + 1);
        catalogue.Add(CatalogueFolder{.detailId = kFirstFolderId + f, .parentId = kLocationId, .title = title});
        LayoutFolder& destination = layout_.folders.emplace_back(LayoutFolder{layout_.applicationFolder + L"\\" + title, {}});
        for (int n = 0; n < kFilesPerFolder; ++n) {
            const int index = f * kFilesPerFolder + n;
            const std::wstring name = FileName(index);
            catalogue.AddFolderFile(kFirstFolderId + f, name);
            destination.files.push_back({sourceFolder + name, destination.path + L"\\" + name});
            if (filesReused_) continue;
            // Each file its own bytes, so that no layer below can share them.
            const std::string stamp = ToUtf8(name) + "\r\n";
            content.replace(0, stamp.size(), stamp);
            WriteFileBytes(sourceFolder + name, content);
        }
    }
    catalogue.Save(folder_);
    if (!filesReused_) WriteFileBytes(note, FilesShape());
}

}  // namespace orvelin::bench
