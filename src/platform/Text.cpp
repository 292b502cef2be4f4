#include "platform/Text.h"

#include <windows.h>

#include <cstdint>

namespace orvelin {

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring FromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::wstring UpperAscii(std::wstring_view text) {
    std::wstring result(text);
    for (auto& c : result)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return result;
}

bool HasNoLowercase(std::wstring_view text) {
    for (wchar_t c : text)
        if (c >= L'a' && c <= L'z') return false;
    return true;
}

std::wstring Trim(std::wstring_view text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] <= L' ') ++first;
    while (last > first && text[last - 1] <= L' ') --last;
    return std::wstring(text.substr(first, last - first));
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

std::wstring Substitute(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    std::wstring result;
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && (pattern[i + 1] == L's' || pattern[i + 1] == L'd') &&
            next != args.end()) {
            result += *next++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::optional<int> ParseInteger(std::wstring_view text, IntegerSyntax syntax) {
    size_t pos = 0, end = text.size();
    while (pos < end && text[pos] == L' ') ++pos;
    while (end > pos && text[end - 1] == L' ') --end;
    bool negative = false;
    if (pos < end && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    bool hex = false;
    if (syntax == IntegerSyntax::DecimalOrHex) {
        if (pos < end && text[pos] == L'$') {
            hex = true;
            pos += 1;
        } else if (end - pos > 2 && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X')) {
            hex = true;
            pos += 2;
        }
    }
    if (pos == end) return std::nullopt;
    uint64_t magnitude = 0;
    for (; pos < end; ++pos) {
        const wchar_t c = text[pos];
        int digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (hex && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (hex && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > 0xFFFFFFFFull) return std::nullopt;
    }
    // Hexadecimal takes the full 32 bits (so "$FFFFFFFF" is -1); decimal must fit an int.
    int64_t value;
    if (hex)
        value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    else if (magnitude > static_cast<uint64_t>(INT32_MAX) + (negative ? 1 : 0))
        return std::nullopt;
    else
        value = static_cast<int64_t>(magnitude);
    return static_cast<int>(negative ? -value : value);
}

}  // namespace orvelin
