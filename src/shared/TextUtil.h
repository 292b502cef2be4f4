#pragma once
// Small text routines shared by both programs. "Blank" means U+0020; "trim" removes every
// character up to and including the blank (controls too) from both ends.
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvelin {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Letters a to z only, as the programs compare names.
std::wstring UpperAscii(std::wstring_view text);
bool HasNoLowercase(std::wstring_view text);

std::wstring Trim(std::wstring_view text);
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);
bool EndsWith(std::wstring_view text, std::wstring_view tail);

// Replaces each "%s" or "%d" of the pattern, in order, by the next argument.
std::wstring Substitute(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// Path text, by plain concatenation as the programs build paths.
std::wstring IncludeTrailingBackslash(std::wstring_view path);
std::wstring ExcludeTrailingBackslash(std::wstring_view path);
std::wstring ExtractFilePath(std::wstring_view path);   // up to and including the last '\' or ':'
std::wstring ExtractFileName(std::wstring_view path);   // after the last '\' or ':'
std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view extension);

}  // namespace orvelin
