#pragma once
// Where an uninstall may delete: below the application's base folders, in its own folder of the
// programs menu, its shortcut on the all-users desktop, and in the uninstall folder. A listed
// path anywhere else, in another spelling than its full one, or reached through a link or
// junction, is outside, and is left alone.
#include <string>
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

    Place Classify(const std::wstring& listedPath) const;
    const Folders& Roots() const noexcept { return folders_; }

private:
    Folders folders_;
};

}  // namespace orvelin
