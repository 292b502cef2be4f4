#pragma once
// Everything the installer and the uninstaller must agree on, since nothing passes between
// them but what one leaves on the machine and the other finds there: the company folder,
// the Uninstall key, the uninstall folder and its files, the installed-file list and its
// encoding, the shortcuts' places, the application's folders and its per-user settings key.
#include <string>
#include <vector>

#include "ProductVersion.h"

namespace orvelin {

inline constexpr wchar_t kCompany[] = L"ORVELIN";
inline constexpr wchar_t kPublisher[] = L"" ORVELIN_COMPANY_NAME;

// The company's folder for one program or application under a Windows folder:
// "<windowsFolder>\ORVELIN\<name>", without trailing backslash.
std::wstring CompanyFolder(const std::wstring& windowsFolder, const std::wstring& name);

// The per-program settings key under HKEY_CURRENT_USER: "Software\ORVELIN\<program base name>".
// The installed application's own key has this form with its executable's base name.
std::wstring ProgramSettingsKeyPath(const std::wstring& programBaseName);

// The application GUID as setup.ini's GuidId must give it: registry form, braces included,
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in hexadecimal digits of either case.
bool IsProductGuid(const std::wstring& text);
// Both throw, naming setup.ini's key and its value, when the value is not of that form: the
// GUID and the names setup.ini gives decide the paths and keys the programs write and delete.
void CheckProductGuid(const std::wstring& guid);
// A name that must name one file or folder (the main executable, a shortcut, the programs-menu
// folder): no "\", "/", ":", "..", or characters Windows forbids in names.
void CheckPlainName(const std::wstring& key, const std::wstring& name);
// ApplicExeName: a plain name whose base name (without extension) is one too, since that names
// the application's folders and per-user key.
void CheckApplicationExeName(const std::wstring& exeName);

// The application's Uninstall key under HKEY_LOCAL_MACHINE, named by its GUID. Both programs
// are 32-bit and open it without a view flag, so on 64-bit Windows it is in the 32-bit view.
std::wstring UninstallKeyPath(const std::wstring& guid);
// Its value naming the uninstall folder (without trailing backslash).
inline constexpr wchar_t kInstallLocationValue[] = L"InstallLocation";

// The uninstall folder: the installer's own all-users data folder followed by the GUID.
std::wstring UninstallFolder(const std::wstring& installerDataFolder, const std::wstring& guid);
// The files in it.
inline constexpr wchar_t kUninstallerFile[] = L"uninstall.exe";
inline constexpr wchar_t kUninstallerArabicModule[] = L"uninstall.ARA";
inline constexpr wchar_t kSetupIniCopy[] = L"Setup.ini";
inline constexpr wchar_t kInstalledFileList[] = L"uninstallfilelist.txt";
// A copy of the install's log, kept for support staff.
inline constexpr wchar_t kInstallLog[] = L"install.log";

// Held by a running install or uninstall of the product, machine-wide: one at a time.
std::wstring SetupRunMutexName(const std::wstring& guid);

// The installed-file list: one full path a line, each line ended by CR LF, in the order the
// install created the files. It is written in the ANSI code page when every path fits it, and
// otherwise as UTF-8 with a byte-order mark, so that no path turns into question marks; it is
// read in the encoding its mark names, else in the ANSI code page.
void WriteInstalledFileList(const std::wstring& path, const std::vector<std::wstring>& files);
std::vector<std::wstring> ReadInstalledFileList(const std::wstring& path);

// Shortcuts: "<shortcut name>.LNK" in the programs menu's group folder and on the all-users
// desktop, whose path holds "Desktop".
inline constexpr wchar_t kShortcutExtension[] = L".LNK";
// The group folder: "<all-users Programs>\ORVELIN\<display name>".
std::wstring ProgramGroupFolder(const std::wstring& programsFolder, const std::wstring& displayName);

// The application's base folders, where the install's locations put its files: the company's
// folder of the application under the program-files folder (the 32-bit one and the native
// one), the all-users and the user's application data, each once. The uninstall deletes only
// below them, and removes them once emptied.
std::vector<std::wstring> ApplicationFolders(const std::wstring& applicationName);

}  // namespace orvelin
