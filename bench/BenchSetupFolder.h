#pragma once
// The setup folder the install benchmark installs from: one application with one location of
// many folders of small files, its catalogue written with CatalogueWriter, and setup.ini and
// the programs laid out as in the sample setup folder.
#include <string>
#include <vector>

namespace orvelin::bench {

inline constexpr int kFolderCount = 2000;
inline constexpr int kFilesPerFolder = 10;
inline constexpr size_t kFileBytes = 20 * 1024;

// The generated product, its own so that nothing of the sample's install is touched.
inline constexpr wchar_t kBenchGuid[] = L"{B3E7A1C5-4D2F-4E6B-9A8C-1F0E2D3C4B5A}";
inline constexpr wchar_t kBenchApplicationName[] = L"OrvelinBench";
inline constexpr wchar_t kBenchDisplayName[] = L"Orvelin Bench 1.0";

struct CopiedFile {
    std::wstring source;
    std::wstring destination;
};

// One folder of the location: made, then its files copied.
struct LayoutFolder {
    std::wstring path;
    std::vector<CopiedFile> files;
};

// What the install copies where, in its order.
struct FileLayout {
    std::wstring applicationFolder;   // <program files (x86)>\ORVELIN\<application>
    std::vector<LayoutFolder> folders;
};

class BenchSetupFolder {
public:
    // Writes everything into `folder` (with trailing backslash), taking install.exe,
    // uninstall.exe and their Arabic modules from the built sample setup folder. The
    // application's files are kept for the next run: under Wine each new name in a folder of
    // thousands costs a search of the whole folder, so writing them takes minutes. They are
    // written again when the folder's note of them is missing or of another shape.
    BenchSetupFolder(std::wstring folder, const std::wstring& sampleSetup);

    const std::wstring& Folder() const noexcept { return folder_; }
    std::wstring Installer() const { return folder_ + L"install.exe"; }
    const FileLayout& Layout() const noexcept { return layout_; }
    bool FilesReused() const noexcept { return filesReused_; }

private:
    std::wstring folder_;
    FileLayout layout_;
    bool filesReused_ = false;
};

}  // namespace orvelin::bench
