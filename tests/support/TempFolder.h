#pragma once
// A fresh scratch folder under the temporary folder, removed with everything in it.
#include <string>
#include <string_view>

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
// The process's current folder, without trailing backslash.
std::wstring CurrentFolder();
// Writes bytes to a file, creating its folder first.
void PutFile(const std::wstring& path, std::string_view bytes);

}  // namespace orvelin::test
