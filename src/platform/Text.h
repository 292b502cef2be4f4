#pragma once
// Text routines of both programs. "Blank" means U+0020; "trim" removes every character up to
// and including the blank (controls too) from both ends.
#include <initializer_list>
#include <optional>
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

// Replaces each "%s" or "%d" of the pattern, in order, by the next argument.
std::wstring Substitute(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

enum class IntegerSyntax {
    Decimal,          // [blanks][sign]digits[blanks]; must fit a 32-bit signed integer
    DecimalOrHex,     // also "$" or "0x" before hexadecimal digits, which take all 32 bits
};
// Empty when the text is not an integer of that syntax.
std::optional<int> ParseInteger(std::wstring_view text, IntegerSyntax syntax = IntegerSyntax::Decimal);

}  // namespace orvelin
