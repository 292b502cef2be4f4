// Figures for the check of a large setup folder: what install.exe spends before it changes
// anything (its settings and the walk of its own install, each listed file looked for), and
// what `catalog check` spends on the whole folder (both generations, every record, the FILES
// tree).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "installer/CatalogueWriter.h"
#include "installer/SetupCheck.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

using namespace orvelin;

namespace {

constexpr int kLocations = 20;
constexpr int kFolders = 25;   // per location
constexpr int kFiles = 10000;
constexpr int kRepeats = 3;

// One application whose files, on disk in FILES\INSTALLED APPLIC, spread over 500 folders.
void WriteSetupFolder(const std::wstring& root) {
    CatalogueWriter writer;
    writer.Add(CatalogueApplication{.majorId = 1, .title = L"Accounts", .accountType = 1});
    for (int l = 0; l < kLocations; ++l) {
        writer.Add(CatalogueLocation{.minorId = l + 1, .parentId = 1, .title = L"L" + std::to_wstring(l), .functionId = 1 + l % 4});
        for (int f = 0; f < kFolders; ++f)
            writer.Add(CatalogueFolder{.detailId = l * kFolders + f + 1, .parentId = l + 1,
                                       .title = L"Reports\\Folder " + std::to_wstring(f)});
    }
    const std::wstring source = root + L"FILES\\INSTALLED APPLIC\\";
    ForceDirectories(source);
    for (int file = 0; file < kFiles; ++file) {
        const std::wstring name = file == 0 ? L"Accounts.exe" : L"Statement " + std::to_wstring(file) + L".rpt";
        writer.AddFolderFile(1 + file % (kLocations * kFolders), name);
        WriteFileBytes(source + name, "");
    }
    WriteFileBytes(source + L"uninstall.exe", "");
    writer.Save(root);
    WriteFileBytes(root + L"setup.ini",
                   "[Setup]\r\nApplicExeName=Accounts.exe\r\nApplicFullName=Accounts\r\n[Install]\r\n"
                   "GuidId={0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}\r\nDisplayName=Accounts\r\nDskTopShortCutName=Accounts\r\n");
}

double BestMilliseconds(const std::function<void()>& action) {
    double best = 1e300;
    for (int run = 0; run < kRepeats; ++run) {
        const auto start = std::chrono::steady_clock::now();
        action();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring root = std::wstring(temp) + L"orvelin-check-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    int exitCode = 0;
    try {
        WriteSetupFolder(root);
        SetupPackage package;
        package.Load(root, IniFile(root + kSetupIniName));
        size_t findings = 0;
        const double installMs = BestMilliseconds([&] {
            findings = CheckInstall(package, {WindowsPlatform::Detect()}, -1).size();
        });
        const double folderMs = BestMilliseconds([&] { findings += CheckSetupFolder(root).size(); });
        std::printf("setup folder: files=%d folders=%d\n", kFiles, kLocations * kFolders);
        std::printf("install_check_ms=%.1f\n", installMs);
        std::printf("catalog_check_ms=%.1f\n", folderMs);
        if (findings != 0) std::printf("error: the folder has %zu findings, none expected\n", findings);
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
        exitCode = 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return exitCode;
}
