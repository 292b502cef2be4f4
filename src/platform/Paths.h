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

// A name that names one file in one folder: not empty, no "\", "/", ":", no characters Windows
// forbids in names ("<>|?*\"" and controls), not "." or "..", no trailing blank or full stop,
// and none of the device names (CON, NUL, COM1, ...).
bool IsPlainFileName(std::wstring_view name);
// A relative path that stays below the folder it is joined to: no drive, no root, no ".."
// part; empty is allowed (the folder itself).
bool StaysBelow(std::wstring_view relativePath);

}  // namespace orvelin
