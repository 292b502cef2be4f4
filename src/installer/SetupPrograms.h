#pragma once
// Database servers and other vendors' programs: their copy folders go through the copy engine,
// their run folders' setup programs are started one after the other once the user agrees.
#include <string>

#include "foundation/InterfaceLanguage.h"
#include "installer/CopyEngine.h"
#include "installer/InstallCatalogue.h"
#include "installer/InstallView.h"
#include "platform/WindowsPlatform.h"

namespace orvelin {

class SetupPrograms {
public:
    SetupPrograms(InstallCatalogue& catalogue, CopyEngine& copyEngine, InstallView& view,
                  const WindowsPlatform& windows, const Translator& translate);

    // The current application's location for the chosen server (the database choice's index;
    // none when -1) and this Windows generation, the first that qualifies only.
    // categoryFolder: "...\FILES\DATABASE SERVERS", no trailing backslash.
    void InstallDbServers(const std::wstring& categoryFolder, int databaseIndex);
    // Every location of the current application for this Windows generation.
    void InstallThirdPartyPrograms(const std::wstring& categoryFolder);
    // Starts each file of the node from runFolder and waits for it to end.
    void RunFolderPrograms(const std::wstring& runFolder, int level, int parentId);

private:
    enum class Category { DatabaseServers, ThirdParty };
    void ProcessLocationFolders(const std::wstring& categoryFolder, int runCode, Category category);

    InstallCatalogue& catalogue_;
    CopyEngine& copyEngine_;
    InstallView& view_;
    WindowsPlatform windows_;
    Translator translate_;
};

}  // namespace orvelin
