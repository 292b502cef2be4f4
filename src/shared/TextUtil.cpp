#include "shared/TextUtil.h"

#include <windows.h>

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

bool EndsWith(std::wstring_view text, std::wstring_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
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

std::wstring IncludeTrailingBackslash(std::wstring_view path) {
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\') result += L'\\';
    return result;
}

std::wstring ExcludeTrailingBackslash(std::wstring_view path) {
    std::wstring result(path);
    if (!result.empty() && result.back() == L'\\') result.pop_back();
    return result;
}

namespace {
size_t AfterLastDelimiter(std::wstring_view path) {
    const size_t pos = path.find_last_of(L"\\:");
    return pos == std::wstring_view::npos ? 0 : pos + 1;
}
}  // namespace

std::wstring ExtractFilePath(std::wstring_view path) { return std::wstring(path.substr(0, AfterLastDelimiter(path))); }

std::wstring ExtractFileName(std::wstring_view path) { return std::wstring(path.substr(AfterLastDelimiter(path))); }

std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view extension) {
    const size_t nameStart = AfterLastDelimiter(path);
    const size_t dot = path.find_last_of(L'.');
    const size_t cut = (dot != std::wstring_view::npos && dot >= nameStart) ? dot : path.size();
    return std::wstring(path.substr(0, cut)) + std::wstring(extension);
}

}  // namespace orvelin
