// Figures for the installation catalogue at the size of a real setup: loading against a bare
// XML parse of the same files, a full install walk, and the peak working set.
#define PSAPI_VERSION 2   // GetProcessMemoryInfo from kernel32, no psapi import library
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include <pugixml.hpp>

#include "BenchClock.h"
#include "installer/CatalogueWriter.h"
#include "installer/InstallCatalogue.h"
#include "platform/Error.h"

using namespace orvelin;
using orvelin::bench::Milliseconds;

namespace {

constexpr int kApplications = 50;
constexpr int kFolderLocations = 10;   // per application, each with kFolders folders
constexpr int kFolders = 10;
constexpr int kFiles = 100000;
constexpr int kRepeats = 7;

struct CatalogueShape {
    int locations = 0;
    int folders = 0;
    int nodes = 0;
};

// 50 applications, each with 10 locations of 10 folders and one location with its own files;
// the files spread evenly over the nodes, grouped by node as a catalogue editor writes them.
CatalogueShape WriteCatalogue(const std::wstring& basePath) {
    CatalogueWriter writer;
    std::vector<std::pair<int, int>> nodes;   // level, identifier
    CatalogueShape shape;
    for (int application = 1; application <= kApplications; ++application) {
        writer.Add(CatalogueApplication{.majorId = application, .title = L"Application " + std::to_wstring(application),
                                        .accountType = 1 + application % 3});
        for (int l = 0; l <= kFolderLocations; ++l) {
            const int minorId = application * 100 + l;
            writer.Add(CatalogueLocation{.minorId = minorId, .parentId = application,
                                         .title = L"Location\\" + std::to_wstring(minorId), .functionId = 1 + l % 4});
            ++shape.locations;
            if (l == kFolderLocations) {
                nodes.emplace_back(kLocationLevel, minorId);
                continue;
            }
            for (int f = 0; f < kFolders; ++f) {
                const int detailId = minorId * 100 + f;
                writer.Add(CatalogueFolder{.detailId = detailId, .parentId = minorId,
                                           .title = L"Reports\\Arabic\\Folder " + std::to_wstring(detailId)});
                ++shape.folders;
                nodes.emplace_back(kFolderLevel, detailId);
            }
        }
    }
    shape.nodes = static_cast<int>(nodes.size());
    for (int file = 0; file < kFiles; ++file) {
        const auto [level, node] = nodes[static_cast<size_t>(file) * nodes.size() / kFiles];
        writer.Add(CatalogueFile{
            .fileId = file + 1,
            .parentId = node,
            .nodeLevel = level,
            .description = L"Customer statements\\Statement of account " + std::to_wstring(file) + L".rpt",
            .fileClass = file % 7,
            .normal = 1,
            .notes = L"Monthly statement layout for branch " + std::to_wstring(file % 40) +
                     L"; printed on A4 & letter paper, \x0643\x0634\x0641 \x062D\x0633\x0627\x0628 (Arabic), "
                     L"revised \"2019\" <final>"});
    }
    writer.Save(basePath);
    return shape;
}

struct WalkResult {
    long files = 0;
    long long descriptionChars = 0;
};

// The install's walk: applications by MAJOR_ID, their locations, and per location the files
// of each folder, or the location's own files when it has no folders.
WalkResult Walk(InstallCatalogue& catalogue) {
    WalkResult result;
    auto copyNode = [&](int level, int node) {
        catalogue.SelectNodeFiles(level, node);
        for (; !catalogue.files.Eof(); catalogue.files.Next()) {
            ++result.files;
            result.descriptionChars += static_cast<long long>(catalogue.files.AsText(L"DESCRIPTION").size());
        }
    };
    DataPacketTable& applics = catalogue.applications;
    DataPacketTable& locations = catalogue.locations;
    DataPacketTable& folders = catalogue.folders;
    for (applics.First(); !applics.Eof(); applics.Next()) {
        for (locations.First(); !locations.Eof(); locations.Next()) {
            if (folders.RecordCount() == 0) {
                copyNode(kLocationLevel, locations.AsInteger(L"MINOR_ID"));
                continue;
            }
            for (folders.First(); !folders.Eof(); folders.Next()) copyNode(kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        }
    }
    return result;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"orvelin-catalogue-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
}

}  // namespace

int wmain() {
    const std::wstring base = TempFolder();
    try {
        CatalogueShape shape;
        const double generateMs = Milliseconds([&] { shape = WriteCatalogue(base); });
        const wchar_t* files[] = {kApplicsFile, kLocationsFile, kFoldersFile, kFilesFile};
        uintmax_t bytes = 0;
        for (const wchar_t* file : files) bytes += std::filesystem::file_size(base + file);
        std::printf("catalogue: applications=%d locations=%d folders=%d nodes=%d files=%d bytes=%llu generate_ms=%.1f\n",
                    kApplications, shape.locations, shape.folders, shape.nodes, kFiles,
                    static_cast<unsigned long long>(bytes), generateMs);

        // Best of several runs; what was loaded is released outside the timing.
        double parseMs = 1e300, loadMs = 1e300, walkMs = 1e300;
        // Taken in turns, so that whatever else the machine does meets both alike.
        for (int run = 0; run < kRepeats; ++run) {
            {
                pugi::xml_document documents[std::size(files)];
                parseMs = std::min(parseMs, Milliseconds([&] {
                    for (size_t i = 0; i < std::size(files); ++i)
                        if (!documents[i].load_file((base + files[i]).c_str())) throw Error(L"Bare parse failed");
                }));
            }
            InstallCatalogue catalogue;
            loadMs = std::min(loadMs, Milliseconds([&] { catalogue.Load(base); }));
        }
        InstallCatalogue catalogue;
        catalogue.Load(base);
        WalkResult walked;
        for (int run = 0; run < kRepeats; ++run) walkMs = std::min(walkMs, Milliseconds([&] { walked = Walk(catalogue); }));

        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof(memory);
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));

        std::printf("parse_ms=%.1f\n", parseMs);
        std::printf("load_ms=%.1f\n", loadMs);
        std::printf("load_parse_ratio=%.2f (goal <= 1.20)\n", loadMs / parseMs);
        std::printf("walk_ms=%.1f files_walked=%ld description_chars=%lld\n", walkMs, walked.files,
                    walked.descriptionChars);
        std::printf("peak_working_set_mb=%.1f\n", memory.PeakWorkingSetSize / (1024.0 * 1024.0));
        if (walked.files != kFiles) std::printf("error: the walk saw %ld files, not %d\n", walked.files, kFiles);
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
        std::error_code ignored;
        std::filesystem::remove_all(base, ignored);
        return 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    return 0;
}
