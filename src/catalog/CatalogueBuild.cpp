#include "catalog/CatalogueBuild.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <map>

#include "contract/InstallContract.h"
#include "installer/CatalogueCodes.h"
#include "installer/CatalogueWriter.h"
#include "installer/SetupPackage.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

bool NameBefore(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_LESS_THAN;
}

class Builder {
public:
    Builder(const CatalogueDescription& description, const std::wstring& setupFolder)
        : description_(description),
          root_(IncludeTrailingBackslash(setupFolder)),
          mainExecutable_(ReadSetupSettings(IniFile(root_ + kSetupIniName)).applicationExe) {}

    void Build() {
        int majorId = 0, minorId = 0, detailId = 0;
        for (const auto& application : description_.applications) {
            writer_.Add(CatalogueApplication{++majorId, application.title, application.category});
            for (const auto& location : application.locations) {
                writer_.Add(CatalogueLocation{++minorId, majorId, location.title, location.functionId});
                if (HasSetupPrograms(application.category)) {
                    for (const auto& folder : location.folders)
                        AddSetupFolder(application.category, location, folder, minorId, ++detailId);
                    continue;
                }
                const std::wstring source = CategorySourceFolder(application.category);
                if (location.ownFiles)
                    for (const auto& file : Take(source, location.line, location.ownPatterns))
                        writer_.AddLocationFile(minorId, file);
                for (const auto& folder : location.folders) {
                    writer_.Add(CatalogueFolder{++detailId, minorId, folder.title});
                    for (const auto& file : Take(source, folder.line, folder.patterns))
                        writer_.AddFolderFile(detailId, file);
                }
            }
        }
        writer_.Save(root_);
    }

private:
    void AddSetupFolder(int category, const DescribedLocation& location, const DescribedFolder& folder, int minorId,
                        int detailId) {
        writer_.Add(CatalogueFolder{detailId, minorId, folder.title, folder.action});
        const std::wstring source = CategorySourceFolder(category) + L"\\" + location.title + L"\\" + folder.title;
        if (!DirectoryExists(root_ + source)) Fail(folder.line, source + L" is not in the setup folder");
        for (const auto& file : Take(source, folder.line, folder.patterns)) writer_.AddFolderFile(detailId, file);
    }

    // The files of the source folder (relative to the setup folder) that the patterns match and
    // no earlier node took, in pattern order and then by name.
    std::vector<std::wstring> Take(const std::wstring& source, int line, const std::vector<std::wstring>& patterns) {
        std::vector<std::wstring>& available = Available(source);
        std::vector<std::wstring> taken;
        for (const auto& pattern : patterns) {
            const auto matches = [&](const std::wstring& name) { return PathMatchSpecW(name.c_str(), pattern.c_str()); };
            std::copy_if(available.begin(), available.end(), std::back_inserter(taken), matches);
            available.erase(std::remove_if(available.begin(), available.end(), matches), available.end());
        }
        if (taken.empty() && !patterns.empty()) {
            std::wstring listed;
            for (const auto& pattern : patterns) listed += (listed.empty() ? L"" : L", ") + pattern;
            Fail(line, L"no file of " + source + L" that an earlier line did not take matches " + listed);
        }
        return taken;
    }

    // The files directly in the source folder, by name, but for the uninstaller beside the main
    // executable.
    std::vector<std::wstring>& Available(const std::wstring& source) {
        const auto found = available_.find(UpperAscii(source));
        if (found != available_.end()) return found->second;
        std::vector<std::wstring> names;
        ForEachEntry(root_ + source, L"*", [&](const WIN32_FIND_DATAW& entry) {
            if (!IsFolder(entry)) names.emplace_back(entry.cFileName);
        });
        std::sort(names.begin(), names.end(), NameBefore);
        const auto named = [](std::wstring file) {
            return [file = std::move(file)](const std::wstring& name) { return EqualsIgnoreCase(name, file); };
        };
        if (!mainExecutable_.empty() && std::any_of(names.begin(), names.end(), named(mainExecutable_)))
            for (const wchar_t* uninstaller : {kUninstallerFile, kUninstallerArabicModule})
                std::erase_if(names, named(uninstaller));
        return available_[UpperAscii(source)] = std::move(names);
    }

    [[noreturn]] void Fail(int line, const std::wstring& what) const {
        throw DescriptionError(description_.fileName, line, what);
    }

    const CatalogueDescription& description_;
    std::wstring root_;
    std::wstring mainExecutable_;
    CatalogueWriter writer_;
    std::map<std::wstring, std::vector<std::wstring>> available_;
};

}  // namespace

void BuildCatalogue(const CatalogueDescription& description, const std::wstring& setupFolder) {
    Builder(description, setupFolder).Build();
}

}  // namespace orvelin
