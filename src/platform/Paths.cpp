#include "platform/Paths.h"

#include <cwctype>

namespace orvelin {

namespace {
size_t AfterLastDelimiter(std::wstring_view path) {
    const size_t pos = path.find_last_of(L"\\:");
    return pos == std::wstring_view::npos ? 0 : pos + 1;
}
}  // namespace

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

std::wstring ExtractFilePath(std::wstring_view path) { return std::wstring(path.substr(0, AfterLastDelimiter(path))); }

std::wstring ExtractFileName(std::wstring_view path) { return std::wstring(path.substr(AfterLastDelimiter(path))); }

std::wstring ChangeFileExt(std::wstring_view path, std::wstring_view extension) {
    const size_t nameStart = AfterLastDelimiter(path);
    const size_t dot = path.find_last_of(L'.');
    const size_t cut = (dot != std::wstring_view::npos && dot >= nameStart) ? dot : path.size();
    return std::wstring(path.substr(0, cut)) + std::wstring(extension);
}

bool IsPlainFileName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L"..") return false;
    for (const wchar_t c : name)
        if (c < 32 || std::wstring_view(L"\\/:<>|?*\"").find(c) != std::wstring_view::npos) return false;
    if (name.back() == L' ' || name.back() == L'.') return false;
    // Device names stay devices whatever their extension.
    std::wstring stem(name.substr(0, name.find(L'.')));
    for (auto& c : stem) c = static_cast<wchar_t>(towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
        if (stem == device) return false;
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' && stem[3] <= L'9')
        return false;
    return true;
}

bool StaysBelow(std::wstring_view relativePath) {
    if (relativePath.empty()) return true;
    if (relativePath.front() == L'\\' || relativePath.front() == L'/') return false;
    if (relativePath.find(L':') != std::wstring_view::npos) return false;
    size_t start = 0;
    while (start <= relativePath.size()) {
        const size_t end = relativePath.find_first_of(L"\\/", start);
        const std::wstring_view part =
            relativePath.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        if (part == L"..") return false;
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return true;
}

}  // namespace orvelin
