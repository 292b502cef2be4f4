#pragma once
// Line-oriented text files: lines end with CR LF when written; CR LF, CR or LF when read.
// A byte-order mark chooses the encoding on read and is written back; without one the
// system's ANSI code page is used.
#include <string>
#include <vector>

namespace orvelin {

enum class TextEncoding { Ansi, Utf8Bom, Utf16LeBom, Utf16BeBom };

struct TextLines {
    std::vector<std::wstring> lines;
    TextEncoding encoding = TextEncoding::Ansi;
};

// Throws "Cannot open file "%s". %s" when the file cannot be read.
TextLines ReadTextFile(const std::wstring& path);
// Creates or truncates the file. Throws "Cannot create file "%s". %s" when it cannot.
void WriteTextFile(const std::wstring& path, const std::vector<std::wstring>& lines, TextEncoding encoding);
// True when every line converts to the ANSI code page without a substitute character.
bool FitsAnsiCodePage(const std::vector<std::wstring>& lines);

// Bytes to text and back, as the files above hold them.
std::wstring DecodeText(const std::string& bytes, TextEncoding& encoding);
std::string EncodeText(const std::wstring& text, TextEncoding encoding);
std::vector<std::wstring> SplitLines(const std::wstring& text);

}  // namespace orvelin
