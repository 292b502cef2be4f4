#pragma once
// The Start-menu and desktop shortcuts to the application's main executable.
#include <windows.h>

#include <string>
#include <vector>

#include "installer/InstallChanges.h"

namespace orvelin {

// The program group's shortcut ("<Programs>\ORVELIN\<display name>\<shortcut name>.LNK"),
// then, when asked, the desktop's ("<all-users desktop>\<shortcut name>.LNK"), each started in
// the target's folder. Each path is appended to `listed` once its shortcut is made.
void CreateShortcuts(const std::wstring& target, const std::wstring& displayName, const std::wstring& shortcutName,
                     bool onDesktop, HWND owner, InstallChanges& changes, std::vector<std::wstring>& listed);

}  // namespace orvelin
