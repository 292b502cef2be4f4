#include "shared/TextFile.h"

#include <windows.h>

#include "shared/Error.h"
#include "shared/Handles.h"
#include "shared/TextUtil.h"

namespace orvelin {

namespace {

std::wstring FromCodePage(UINT codePage, const char* data, size_t size) {
    if (size == 0) return {};
    const int length = MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), nullptr, 0);
    std::wstring text(length, L'\0');
    MultiByteToWideChar(codePage, 0, data, static_cast<int>(size), text.data(), length);
    return text;
}

std::string ToCodePage(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

std::wstring FromUtf16(const char* data, size_t size, bool bigEndian) {
    std::wstring text(size / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto lo = static_cast<unsigned char>(data[2 * i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(data[2 * i + (bigEndian ? 0 : 1)]);
        text[i] = static_cast<wchar_t>(lo | (hi << 8));
    }
    return text;
}

std::string ToUtf16(const std::wstring& text, bool bigEndian) {
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<unsigned>(text[i]);
        bytes[2 * i + (bigEndian ? 1 : 0)] = static_cast<char>(unit & 0xFF);
        bytes[2 * i + (bigEndian ? 0 : 1)] = static_cast<char>(unit >> 8);
    }
    return bytes;
}

bool StartsWith(const std::string& bytes, std::string_view mark) { return bytes.compare(0, mark.size(), mark) == 0; }

}  // namespace

std::wstring DecodeText(const std::string& bytes, TextEncoding& encoding) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        encoding = TextEncoding::Utf8Bom;
        return FromCodePage(CP_UTF8, bytes.data() + 3, bytes.size() - 3);
    }
    if (StartsWith(bytes, "\xFF\xFE")) {
        encoding = TextEncoding::Utf16LeBom;
        return FromUtf16(bytes.data() + 2, bytes.size() - 2, false);
    }
    if (StartsWith(bytes, "\xFE\xFF")) {
        encoding = TextEncoding::Utf16BeBom;
        return FromUtf16(bytes.data() + 2, bytes.size() - 2, true);
    }
    encoding = TextEncoding::Ansi;
    return FromCodePage(CP_ACP, bytes.data(), bytes.size());
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') continue;
        lines.emplace_back(text, start, i - start);
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text, start, text.size() - start);
    return lines;
}

TextLines ReadTextFile(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        throw Error(Substitute(L"Cannot open file \"%s\". %s", {path, SystemErrorText(code)}));
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    size_t total = 0;
    while (total < bytes.size() &&
           ReadFile(file.Get(), bytes.data() + total,
                    static_cast<DWORD>(std::min<size_t>(bytes.size() - total, 1u << 30)), &read, nullptr) &&
           read > 0)
        total += read;
    bytes.resize(total);
    TextLines result;
    result.lines = SplitLines(DecodeText(bytes, result.encoding));
    return result;
}

void WriteTextFile(const std::wstring& path, const std::vector<std::wstring>& lines, TextEncoding encoding) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L"\r\n";
    }
    std::string bytes;
    switch (encoding) {
        case TextEncoding::Ansi: bytes = ToCodePage(CP_ACP, text); break;
        case TextEncoding::Utf8Bom: bytes = "\xEF\xBB\xBF" + ToCodePage(CP_UTF8, text); break;
        case TextEncoding::Utf16LeBom: bytes = "\xFF\xFE" + ToUtf16(text, false); break;
        case TextEncoding::Utf16BeBom: bytes = "\xFE\xFF" + ToUtf16(text, true); break;
    }
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        throw Error(Substitute(L"Cannot create file \"%s\". %s", {path, SystemErrorText(code)}));
    }
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size()))
        RaiseLastOSError();
}

bool FitsAnsiCodePage(const std::vector<std::wstring>& lines) {
    for (const auto& line : lines) {
        if (line.empty()) continue;
        BOOL usedDefault = FALSE;
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, line.data(), static_cast<int>(line.size()), nullptr, 0,
                            nullptr, &usedDefault);
        if (usedDefault) return false;
    }
    return true;
}

}  // namespace orvelin
