#include "platform/Paths.h"

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

}  // namespace orvelin
