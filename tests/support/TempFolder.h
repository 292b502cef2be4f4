#pragma once
// A fresh scratch folder under the temporary folder, removed with everything in it.
#include <string>

namespace orvelin::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path with trailing backslash.
    const std::wstring& Path() const noexcept { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + relative; }

private:
    std::wstring path_;
};

// Removes a folder tree (read-only files too); missing folders are fine.
void RemoveTree(const std::wstring& folder);
// Writes bytes to a file, creating its folder.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);

}  // namespace orvelin::test
