#pragma once
// Database servers and other vendors' programs: their copy folders go through the copy engine,
// their run folders' setup programs are started one after the other once the user agrees.
#include <string>

#include "foundation/InterfaceLanguage.h"
#include "installer/CopyEngine.h"
#include "installer/InstallCatalogue.h"
#include "installer/InstallView.h"
#include "installer/SetupPackage.h"
#include "platform/WindowsPlatform.h"

namespace orvelin {

class SetupPrograms {
public:
    // quietArguments: when nobody watches the install, the setup programs' arguments by file name
    // (empty otherwise: every program is started as it is).
    SetupPrograms(InstallCatalogue& catalogue, CopyEngine& copyEngine, InstallView& view, RunLog& log,
                  const WindowsPlatform& windows, const Translator& translate, const SetupSettings* quietArguments);

    // The current application's location for the chosen server (the database choice's index;
    // none when -1) and this Windows generation, the first that qualifies only.
    // categoryFolder: "...\FILES\DATABASE SERVERS", no trailing backslash.
    void InstallDbServers(const std::wstring& categoryFolder, int databaseIndex);
    // Every location of the current application for this Windows generation.
    void InstallThirdPartyPrograms(const std::wstring& categoryFolder);
    // Starts each file of the node from runFolder and waits for it to end. Each start and exit
    // code is logged.
    void RunFolderPrograms(const std::wstring& runFolder, int level, int parentId);

private:
    enum class Category { DatabaseServers, ThirdParty };
    void ProcessLocationFolders(const std::wstring& categoryFolder, int runCode, Category category);

    InstallCatalogue& catalogue_;
    CopyEngine& copyEngine_;
    InstallView& view_;
    RunLog& log_;
    WindowsPlatform windows_;
    Translator translate_;
    const SetupSettings* unattended_;
};

}  // namespace orvelin
