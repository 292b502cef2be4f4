#pragma once
// The check of a setup folder, made with the installer's own reading of it: by the catalogue
// tool before the folder ships, and by the install run before it changes anything.
#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "installer/InstallPlan.h"
#include "installer/SetupFindings.h"
#include "installer/SetupPackage.h"
#include "platform/WindowsPlatform.h"

namespace orvelin {

// The settings of setup.ini an install relies on: the main executable, the GUID, the names of
// the Start-menu folder and the shortcut.
std::vector<Finding> CheckSettings(const SetupSettings& settings);

// What an install would do on each of these Windows (PlanInstall), checked: sources, names,
// destinations, the main executable and the uninstaller beside it, the setup programs offered.
// A finding that holds for only some of them says which.
std::vector<Finding> CheckInstall(SetupPackage& package, const std::vector<WindowsPlatform>& windows,
                                  int databaseIndex);

// This Windows, then one of the other generation: the two an install tells apart.
std::vector<WindowsPlatform> BothGenerations(const WindowsPlatform& here);
// "Windows Vista and later" or "Windows XP and earlier".
std::wstring GenerationName(const WindowsPlatform& windows);

// The whole folder as it would ship: setup.ini, each packet, the install on both generations,
// every record of the catalogue and every file under FILES.
std::vector<Finding> CheckSetupFolder(const std::wstring& folder);

// Before an install run changes anything: the settings and the install on this Windows. The
// findings go to the log; errors stop the run with one Error that lists them.
void CheckBeforeInstall(SetupPackage& package, const WindowsPlatform& windows, int databaseIndex, RunLog& log);

}  // namespace orvelin
