#pragma once
// Path text, built by plain concatenation as the programs build paths.
#include <string>
#include <string_view>

namespace orvelin {

std::wstring IncludeTrailingBackslash(std::wstring_view path);
std::wstring ExcludeTrailingBackslash(std::wstring_view path);
std::wstring ExtractFilePath(std::wstring_view path);   // up to and including the last '\' or ':'
std::wstring ExtractFileName(std::wstring_view path);   // after the last '\' or ':'
std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view extension);

}  // namespace orvelin
