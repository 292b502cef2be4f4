#pragma once
// Small routines the installer's and the uninstaller's windows share. They keep no state.
#include <windows.h>

#include <string>
#include <vector>

namespace orvelin {

class RunView;

// A modal Yes/No/Cancel question (Yes the default); true only when Yes is picked.
bool AskConfirmation(HWND owner, const std::wstring& question);

// The folder path with a final backslash. Throws "The path is blank" (translated) on empty text.
std::wstring CheckFolderPath(const std::wstring& path);

// Opens the file through the shell and waits until the started process ends. Sleep mode polls
// every 3 seconds without handling window messages; otherwise the view keeps handling them and
// the wait also ends once the program is asked to end.
void RunAndWait(RunView& view, const std::wstring& file, bool sleepMode);

// Appends folder + name of every file matching the mask, depth-first, files before subfolders;
// subfolders whose name begins with "." are skipped.
void CollectFiles(std::vector<std::wstring>& list, const std::wstring& folder, const std::wstring& mask);

// True when this 32-bit program runs on 64-bit Windows.
bool Is64BitWindows();

// A text value under HKEY_LOCAL_MACHINE in the 64-bit view; empty when the key or value is
// missing. Throws "Invalid data type for '%s'" when the value is not text.
std::wstring ReadLocalMachineString(const std::wstring& keyPath, const std::wstring& valueName);

// Deletes the file when one of that name exists (folders and wildcard names are no file).
// A deletion the system refuses shows "Error DeleteFile" and answers false.
bool DeleteFileIfExists(RunView& view, const std::wstring& fileName);

// Deletes the key under the root with all its sub-keys when it exists and may be opened for
// reading and writing; a key that cannot be deleted stays, silently.
void DeleteRegKeyIfExists(const std::wstring& keyPath, HKEY root);

}  // namespace orvelin
