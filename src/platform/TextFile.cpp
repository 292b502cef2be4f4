#include "platform/TextFile.h"

#include <windows.h>

#include "platform/FileSystem.h"

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
    TextLines result;
    result.lines = SplitLines(DecodeText(ReadFileBytes(path), result.encoding));
    return result;
}

std::string EncodeText(const std::wstring& text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Ansi: return ToCodePage(CP_ACP, text);
        case TextEncoding::Utf8Bom: return "\xEF\xBB\xBF" + ToCodePage(CP_UTF8, text);
        case TextEncoding::Utf16LeBom: return "\xFF\xFE" + ToUtf16(text, false);
        case TextEncoding::Utf16BeBom: return "\xFE\xFF" + ToUtf16(text, true);
    }
    return {};
}

void WriteTextFile(const std::wstring& path, const std::vector<std::wstring>& lines, TextEncoding encoding) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L"\r\n";
    }
    WriteFileBytes(path, EncodeText(text, encoding));
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
