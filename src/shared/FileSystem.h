#pragma once
// File-system queries and folder creation as both programs use them.
#include <string>

namespace orvelin {

bool FileExists(const std::wstring& path);       // an existing file, not a folder
bool DirectoryExists(const std::wstring& path);
// Creates the folder and every missing parent; true when the folder exists afterwards.
bool ForceDirectories(const std::wstring& path);
std::wstring CurrentFolder();
std::wstring ModuleFilePath();                    // full path of the running program file

}  // namespace orvelin
