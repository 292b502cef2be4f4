// Figures for the two programs against bare code doing the same file work: a quiet install of
// a generated setup folder against CopyFileW, its quiet uninstall against DeleteFileW, the
// installer's start-up until its window shows against a bare dialog's, and the programs' sizes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "BareFileWork.h"
#include "BenchClock.h"
#include "BenchInstallation.h"
#include "BenchSetupFolder.h"
#include "CacheWarming.h"
#include "ChildTiming.h"
#include "RunPhases.h"
#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::bench;

namespace {

// Rounds of the file work by default; the first argument may give another number (0: the
// start-up and the sizes only).
constexpr int kRounds = 5;
constexpr int kStarts = 20;

std::wstring BuildFolder() {
    // This program lies in <build>\bin\.
    return ExtractFilePath(ExcludeTrailingBackslash(ExtractFilePath(ModuleFilePath())));
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// Both figures at their best, and their ratio as the median of the rounds' own ratios.
void PrintRatio(const char* name, const RunTimes& program, const RunTimes& bare, const char* bareName,
                const char* goal) {
    std::printf("%s_ms=%.0f (runs %s)\n", name, program.Best(), program.Listed().c_str());
    if (!program.BestNote().empty()) std::printf("%s_phases: %s\n", name, program.BestNote().c_str());
    std::printf("%s_ms=%.0f (runs %s)\n", bareName, bare.Best(), bare.Listed().c_str());
    const PairedRatio ratio = PairRuns(program, bare);
    std::string rounds;
    for (const double each : ratio.ratios) {
        char text[16];
        std::snprintf(text, sizeof(text), " %.2f", each);
        rounds += text;
    }
    std::printf("%s_ratio=%.2f (goal <= %s; median of the runs' ratios:%s)\n", name, ratio.median, goal,
                rounds.c_str());
}

// The marks in the programs' logs where their phases end.
const std::vector<Phase> kInstallPhases = {
    {"load", L"Status: Creating program folders"},
    {"copy", L"Status: Adding application to windows control panael"},
    {"record", L"Message: Program was installed successfully"},
    {"end", L""},
};
const std::vector<Phase> kUninstallPhases = {
    {"load", L"Status: Status: Deleting applicatioin files"},
    {"delete_files", L"Folder removed: "},
    {"remove_folders", L"Status: Status: Deleting database files"},
    {"end", L""},
};

// Runs the program, its log in the scratch folder; answers the time, noting its phases.
void TimeRun(RunTimes& times, const std::wstring& program, const std::wstring& arguments, const std::wstring& log,
             const std::vector<Phase>& phases) {
    const double elapsed = MillisecondsToEnd(program, arguments + L" /log " + Quoted(log));
    times.Add(elapsed, DescribePhases(log, elapsed, phases));
}

// Install, uninstall and the bare loops on the same clean machine, each round in the other
// order than the one before, so that neither side always meets what the other left (the disk
// still writing back its files).
void MeasureFileWork(const std::wstring& sampleSetup, const test::TempFolder& scratch, int rounds) {
    std::optional<BenchSetupFolder> setup;
    const double generateMs =
        Milliseconds([&] { setup.emplace(GetTempDirectory() + L"orvelin-install-bench\\", sampleSetup); });
    const FileLayout& layout = setup->Layout();
    const BenchInstallation installation;
    installation.RemoveAll(layout.applicationFolder);
    std::printf("setup: folders=%d files=%d file_bytes=%zu locations=1 generate_ms=%.0f (%s)\n", kFolderCount,
                kFolderCount * kFilesPerFolder, kFileBytes, generateMs,
                setup->FilesReused() ? "files of an earlier run reused" : "files written");

    RunTimes bareCopy, bareDelete, install, uninstall;
    double warmMs = 0;
    auto warm = [&](void (*warmUp)(const FileLayout&)) { warmMs += Milliseconds([&] { warmUp(layout); }); };
    auto bare = [&] {
        warm(WarmSources);
        bareCopy.Add(Milliseconds([&] { BareCopy(layout); }));
        warm(WarmDestinations);
        bareDelete.Add(Milliseconds([&] { BareDelete(layout); }));
    };
    auto programs = [&] {
        warm(WarmSources);
        TimeRun(install, setup->Installer(), L"/quiet /setups no", scratch / L"install.log", kInstallPhases);
        if (!FileExists(layout.folders.back().files.back().destination))
            throw Error(L"The install ended without copying the last file");
        warm(WarmDestinations);
        TimeRun(uninstall, installation.Uninstaller(), L"/quiet", scratch / L"uninstall.log", kUninstallPhases);
        if (DirectoryExists(layout.folders.front().path)) throw Error(L"The uninstall left the application's folders");
        installation.RemoveAll(layout.applicationFolder);
    };
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            bare();
            programs();
        } else {
            programs();
            bare();
        }
    }
    std::printf("warming_ms=%.0f (untimed: the files read and looked up before each step)\n", warmMs);
    PrintRatio("install", install, bareCopy, "bare_copy", "1.10");
    PrintRatio("uninstall", uninstall, bareDelete, "bare_delete", "1.10");
}

// Started alternately, so that both meet the machine in the same state. The bare dialog shows
// the installer's own design: the figure is what the installer adds to showing its window.
void MeasureStartup(const std::wstring& sampleSetup, const test::TempFolder& scratch) {
    const std::wstring bareDialog = ExtractFilePath(ModuleFilePath()) + L"bare_dialog.exe";
    RunTimes installer, bare;
    for (int start = 0; start < kStarts; ++start) {
        bare.Add(MillisecondsToWindow(bareDialog, Quoted(sampleSetup + L"install.exe")));
        installer.Add(MillisecondsToWindow(sampleSetup + L"install.exe", L"/log " + Quoted(scratch / L"window.log")));
    }
    PrintRatio("startup", installer, bare, "bare_dialog_startup", "1.5");
}

void PrintSize(const char* label, const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return;
    std::printf("%s_bytes=%lu (%.2f MB, goal <= 1 MB)\n", label, data.nFileSizeLow, data.nFileSizeLow / (1024.0 * 1024.0));
}

// The programs as built here; beside a 64-bit test build, the shipped 32-bit ones too.
void PrintSizes(const std::wstring& build) {
    const char* arch = sizeof(void*) == 8 ? "x86_64" : "i686";
    std::printf("build=%s\n", arch);
    for (const auto& [folder, prefix] : {std::pair{build + L"bin\\", std::string(arch) + "_"},
                                         std::pair{build + L"shipped-i686\\bin\\", std::string("shipped_i686_")}}) {
        PrintSize((prefix + "install_exe").c_str(), folder + L"install.exe");
        PrintSize((prefix + "uninstall_exe").c_str(), folder + kUninstallerFile);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const int rounds = argc > 1 ? std::max(0, _wtoi(argv[1])) : kRounds;
        const std::wstring build = BuildFolder();
        const std::wstring sampleSetup = build + L"sample-setup\\";
        const test::TempFolder scratch;
        PrintSizes(build);
        MeasureStartup(sampleSetup, scratch);
        if (rounds > 0) MeasureFileWork(sampleSetup, scratch, rounds);
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
        return 1;
    }
    return 0;
}
