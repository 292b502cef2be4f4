#pragma once
// The install run behind the Install button: the database choice, the guard against a second
// install, every category of the catalogue in application order, then the shortcuts and the
// installation record.
#include <string>

#include "foundation/InterfaceLanguage.h"
#include "installer/InstallChanges.h"
#include "installer/InstallView.h"
#include "installer/InstalledFiles.h"
#include "installer/SetupPackage.h"
#include "platform/WindowsPlatform.h"

namespace orvelin {

class CopyEngine;
class SetupPrograms;

// What an install run takes from the installer's start-up.
struct InstallContext {
    std::wstring uninstallRoot;   // the installer's own all-users data folder: receives the uninstall folder
    WindowsPlatform windows;
    Translator translate;
    bool unattended = false;      // nobody watches: setup programs get their [QuietArguments]
};

// The progress bar's range: the number of files under the setup folder's "FILES\INSTALLED APPLIC".
int CountApplicationFiles(const std::wstring& setupFolder);

class InstallRun {
public:
    // installed, changes: what earlier runs of the same installer put on the machine; this run
    // adds to them.
    InstallRun(SetupPackage& package, InstalledFiles& installed, InstallChanges& changes, InstallView& view,
               const InstallContext& context);

    enum class Outcome { Refused, Installed };
    // Refused: the database choice was not made, and nothing else happened. Any error
    // propagates; what the run did so far stays.
    Outcome Execute(const InstallChoices& choices);

private:
    void InstallApplication(int category, const std::wstring& setupRoot, CopyEngine& copyEngine,
                            SetupPrograms& setupPrograms, int databaseIndex);

    SetupPackage& package_;
    InstalledFiles& installed_;
    InstallChanges& changes_;
    InstallView& view_;
    const InstallContext& context_;
};

}  // namespace orvelin
