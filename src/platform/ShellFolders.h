#pragma once
// The Windows folders the programs build on: shell folders by CSIDL number, the Windows
// folder and the temporary folder.
#include <windows.h>

#include <functional>
#include <string>

namespace orvelin {

// A shell folder by CSIDL number, without trailing backslash; empty when the shell fails.
std::wstring GetSpecialFolder(int csidl);
// The same through the folder's item-id list, as shell links are placed.
std::wstring GetSpecialFolderLocation(HWND owner, int csidl);
// The native program-files folder: "ProgramFilesDir" of the registry's 64-bit view, which a
// 32-bit program's shell would not give. Empty when it cannot be read.
std::wstring ReadProgramFilesDir();
// The Windows folder. Throws with the system's message when the platform gives nothing.
std::wstring GetWindowsFolder();
// The temporary folder, with trailing backslash. Throws when no candidate can be used.
std::wstring GetTempDirectory();
// The candidate walk behind it: the platform's folder, then the Windows folder's TEMP, then
// the TEMP and TMP folders at the root of the Windows folder's drive. The first that exists
// or can be created as a single folder wins.
std::wstring PickTempDirectory(const std::wstring& platformTemp, const std::function<std::wstring()>& windowsFolder);

}  // namespace orvelin
