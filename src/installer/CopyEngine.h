#pragma once
// The catalogue copy engine: each location's base folder under a Windows folder, the
// destination folders, and the copy of one catalogue node's files, recorded on the way.
#include <string>
#include <vector>

#include "foundation/InterfaceLanguage.h"
#include "installer/InstallCatalogue.h"
#include "installer/InstallChanges.h"
#include "installer/InstalledFiles.h"
#include "platform/WindowsPlatform.h"
#include "ui/RunView.h"

namespace orvelin {

// The folder path with a final backslash. Throws "The path is blank", translated, with a
// blank after it, on empty text.
std::wstring CheckFolderPath(const std::wstring& path, const Translator& translate);

// "<Windows folder of the location kind>\ORVELIN\<application>\" on that Windows, the application
// being the executable's name without extension; empty when the kind is not 1 to 4.
std::wstring LocationBaseFolder(int kind, const WindowsPlatform& windows, const std::wstring& applicationExe,
                                const Translator& translate);
// The first of the folders whose path ends with the title's first occurrence in it
// (case-sensitive); empty when there is none or the title is empty.
std::wstring FolderEndingWith(const std::vector<std::wstring>& folders, const std::wstring& title);

// One run's copying. The destinations it was handed are kept for the run, in call order.
class CopyEngine {
public:
    CopyEngine(InstallCatalogue& catalogue, InstalledFiles& installed, InstallChanges& changes, RunView& view,
               const WindowsPlatform& windows, const std::wstring& applicationExe, const Translator& translate);

    // Every location of the current application (locations of kind 1 to 4), its files taken
    // from sourceFolder (the category's folder, no trailing backslash).
    void CopyLocations(const std::wstring& sourceFolder);
    // The files of one node (level 2: a location's own, 3: a folder's) from sourceFolder into
    // destination (no trailing backslash), replacing what is there. A failed copy throws.
    void CopyNodeFiles(const std::wstring& sourceFolder, const std::wstring& destination, int level, int nodeId);

    // "<Windows folder of the kind>\ORVELIN\<application>\"; empty when the kind is not 1 to 4.
    std::wstring LocationBaseFolder(int kind) const;
    // The first destination of this run whose path ends with the title's first occurrence in
    // it (case-sensitive); empty when there is none or the title is empty.
    std::wstring UsedFolderEndingWith(const std::wstring& title) const;
    const std::vector<std::wstring>& UsedFolders() const noexcept { return usedFolders_; }

private:
    InstallCatalogue& catalogue_;
    InstalledFiles& installed_;
    InstallChanges& changes_;
    RunView& view_;
    WindowsPlatform windows_;
    std::wstring applicationExe_;
    Translator translate_;
    std::vector<std::wstring> usedFolders_;
};

}  // namespace orvelin
