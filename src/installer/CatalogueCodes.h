#pragma once
// What the catalogue's codes mean to an install: the installation categories and where their
// files lie in the setup folder, the location kinds, the Windows generation a location's sign
// picks, and what a folder of database servers or other vendors' programs does.
#include <string>

#include "platform/WindowsPlatform.h"

namespace orvelin {

// ACCOUNT_T of an application. Any other value is skipped by the install.
enum CatalogueCategory : int {
    kDatabaseServerCategory = 0,
    kApplicationCategory = 1,
    kCommonCategory = 2,
    kThirdPartyCategory = 3,
    kWindowsCategory = 4,
};

// The category's source folder below the setup folder ("FILES\INSTALLED APPLIC" and so on),
// without trailing backslash; empty for a value that is no category.
std::wstring CategorySourceFolder(int category);
// Database servers and other vendors' programs: their sources lie in sub-folders named by the
// location's and the folder's titles, and their folders copy or run.
inline bool HasSetupPrograms(int category) {
    return category == kDatabaseServerCategory || category == kThirdPartyCategory;
}

// Location kinds: FUNCTION_ID of a location of categories 1, 2 and 4, the Windows folder that
// "ORVELIN\<application>\" lies in. Any other value is skipped by the install.
enum LocationKind : int {
    kProgramFilesX86Kind = 1,   // the 32-bit program files
    kProgramFilesKind = 2,      // the native program files
    kCommonDataKind = 3,        // all users' application data
    kUserDataKind = 4,          // the user's roaming application data
};
inline bool IsLocationKind(int functionId) { return functionId >= kProgramFilesX86Kind && functionId <= kUserDataKind; }

// FUNCTION_ID of a location of categories 0 and 3: positive serves Windows Vista and later,
// negative Windows XP and earlier, 0 none; for database servers its absolute value is the
// server, an index of the database-server choice.
inline bool SuitsWindows(int functionId, const WindowsPlatform& windows) {
    return windows.VistaOrLater() ? functionId > 0 : functionId < 0;
}

// FUNCTION_ID of a folder of categories 0 and 3. A run folder's programs run only in a
// location of the generation its code names.
inline constexpr int kCopyFolderAction = 0;
inline constexpr int kVistaRunCode = 5;
inline constexpr int kXpRunCode = 10;
inline int RunCodeFor(const WindowsPlatform& windows) { return windows.VistaOrLater() ? kVistaRunCode : kXpRunCode; }

}  // namespace orvelin
