#pragma once
// Files and folders as both programs use them: queries, folder creation, whole-file reads and
// writes, and walks over a folder's entries.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Handles.h"

namespace orvelin {

bool FileExists(const std::wstring& path);       // an existing file, not a folder
bool DirectoryExists(const std::wstring& path);
// Creates the folder and every missing parent; true when the folder exists afterwards. Each
// folder made is appended to `created`, parents first, when it is given.
bool ForceDirectories(const std::wstring& path, std::vector<std::wstring>* created = nullptr);
std::wstring ModuleFilePath();                    // full path of the running program file
// The path made full and its "." and ".." parts resolved, as Windows would open it; empty
// when Windows cannot make it full.
std::wstring FullPathName(const std::wstring& path);
// A symbolic link, junction or other reparse point: what it names lies elsewhere.
bool IsReparsePoint(const std::wstring& path);

// Reads the whole file into memory that allocate(size) provides and answers the size.
// Throws "Cannot open file "%s". %s" or "Cannot read file "%s". %s".
size_t ReadWholeFile(const std::wstring& path, const std::function<char*(size_t)>& allocate);
std::string ReadFileBytes(const std::wstring& path);

// A file created or replaced, written in pieces. Throws "Cannot create file "%s". %s" and
// "Cannot write file "%s". %s".
class FileWriter {
public:
    enum class Mode {
        Replace,               // the file is created anew
        AppendWrittenThrough,  // kept and added to; each write reaches the disk before it returns
    };
    // share: what others may do with the file meanwhile (FILE_SHARE_READ and the like).
    explicit FileWriter(std::wstring path, DWORD share = 0, Mode mode = Mode::Replace);
    void Write(std::string_view bytes);

private:
    std::wstring path_;
    UniqueFile file_;
};
void WriteFileBytes(const std::wstring& path, std::string_view bytes);

// Every entry of the folder that matches the pattern ("*.*" for all), "." and ".." included,
// in the order the file system lists them. A folder that cannot be listed has no entries.
void ForEachEntry(const std::wstring& folder, const std::wstring& pattern,
                  const std::function<void(const WIN32_FIND_DATAW&)>& visit);
bool IsFolder(const WIN32_FIND_DATAW& entry);

// Appends folder + name of every file matching the mask, depth-first, files before subfolders;
// subfolders whose name begins with "." are skipped. Hidden and system files are collected.
void CollectFiles(std::vector<std::wstring>& list, const std::wstring& folder, const std::wstring& mask);

}  // namespace orvelin
