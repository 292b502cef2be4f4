#pragma once
// Where an uninstall may delete: below the application's base folders, in its own folder of the
// programs menu, its shortcut on the all-users desktop, and in the uninstall folder. A listed
// path anywhere else, in another spelling than its full one, or reached through a link or
// junction, is outside, and is left alone.
#include <string>
#include <unordered_set>
#include <vector>

#include "uninstaller/UninstallSettings.h"

namespace orvelin {

class RemovalScope {
public:
    struct Folders {
        std::vector<std::wstring> application;   // the base folders, below the company folder
        std::wstring programGroup;               // the programs menu's folder of the product
        std::wstring desktop;                    // the all-users desktop
        std::wstring uninstall;                  // the uninstall folder
    };
    enum class Place { Outside, Application, ProgramGroup, Desktop, UninstallFolder };

    explicit RemovalScope(Folders folders);
    // This machine's folders for the product the settings name; their names must have been
    // checked to be plain names.
    static RemovalScope Of(const UninstallSettings& settings, const std::wstring& uninstallFolder);

    // A path that is itself a link is inside when its folders are: deleting it deletes the link.
    Place Classify(const std::wstring& listedPath);
    // The folder is no link nor junction; what Classify found is taken as it stands.
    bool IsPlainFolder(const std::wstring& folder);
    const Folders& Roots() const noexcept { return folders_; }

private:
    // A folder of the path from `from` down is a link or junction.
    bool ThroughLink(const std::wstring& from, const std::wstring& path);

    Folders folders_;
    // Folders already found to be no link, in upper case: thousands of listed files share few.
    std::unordered_set<std::wstring> plainFolders_;
};

}  // namespace orvelin
