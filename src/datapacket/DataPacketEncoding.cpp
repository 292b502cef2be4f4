#include "datapacket/DataPacketEncoding.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

// A 32-bit process cannot hold much more than this as parsed UTF-16 text.
constexpr size_t kMaxPacketBytes = 256LL * 1024 * 1024;

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The "encoding" of an XML declaration at the very start of 8-bit text; nothing when there
// is no declaration or it names no encoding. A malformed declaration is left to the parser.
std::optional<std::string_view> DeclaredEncoding(std::string_view text) {
    text = text.substr(0, 1024);
    if (text.size() < 6 || text.substr(0, 5) != "<?xml" || !IsXmlBlank(text[5])) return std::nullopt;
    const size_t end = text.find("?>");
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(5, end - 5);
    auto skipBlanks = [&rest] {
        while (!rest.empty() && IsXmlBlank(rest.front())) rest.remove_prefix(1);
    };
    for (;;) {
        skipBlanks();
        const size_t nameEnd = std::min(rest.find('='), rest.size());
        std::string_view name = rest.substr(0, nameEnd);
        while (!name.empty() && IsXmlBlank(name.back())) name.remove_suffix(1);
        if (name.empty() || nameEnd == rest.size()) return std::nullopt;
        rest.remove_prefix(nameEnd + 1);
        skipBlanks();
        if (rest.empty() || (rest.front() != '"' && rest.front() != '\'')) return std::nullopt;
        const size_t close = rest.find(rest.front(), 1);
        if (close == std::string_view::npos) return std::nullopt;
        if (name == "encoding") return rest.substr(1, close - 1);
        rest.remove_prefix(close + 1);
    }
}

// Position of the first byte that does not belong to well-formed UTF-8, or npos.
size_t FindInvalidUtf8(const unsigned char* bytes, size_t size) {
    size_t i = 0;
    while (i < size) {
        uint64_t block;
        if (i + 8 <= size) {
            std::memcpy(&block, bytes + i, 8);
            if ((block & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        unsigned char low = 0x80, high = 0xBF;   // allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;            // overlong
            if (lead == 0xED) high = 0x9F;           // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;            // overlong
            if (lead == 0xF4) high = 0x8F;           // above U+10FFFF
        } else {
            return i;
        }
        if (i + length > size || bytes[i + 1] < low || bytes[i + 1] > high) return i;
        for (size_t k = 2; k < length; ++k)
            if ((bytes[i + k] & 0xC0) != 0x80) return i;
        i += length;
    }
    return std::string_view::npos;
}

enum class EightBitKind { Utf8, Latin1, CodePage, Unicode, Unknown };

struct EightBitEncoding {
    EightBitKind kind;
    UINT codePage = 0;
};

EightBitEncoding Classify(std::string_view declared) {
    const std::wstring name = UpperAscii(FromUtf8(declared));
    if (name == L"UTF-8" || name == L"UTF8" || name == L"US-ASCII" || name == L"ASCII") return {EightBitKind::Utf8};
    if (name == L"ISO-8859-1" || name == L"ISO8859-1" || name == L"ISO_8859-1" || name == L"LATIN1" ||
        name == L"LATIN-1")
        return {EightBitKind::Latin1};
    for (const std::wstring_view prefix : {L"WINDOWS-", L"CP"}) {
        if (name.size() == prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0) {
            const std::wstring number = name.substr(prefix.size());
            if (number.compare(0, 3, L"125") == 0 && number[3] >= L'0' && number[3] <= L'8')
                return {EightBitKind::CodePage, static_cast<UINT>(1250 + (number[3] - L'0'))};
        }
    }
    // Encodings of two or four bytes a character cannot be the encoding of 8-bit text.
    for (const std::wstring_view wide : {L"UTF-16", L"UTF-32", L"UCS-2", L"UCS-4", L"ISO-10646-UCS-2", L"UNICODE"})
        if (std::wstring_view(name).substr(0, wide.size()) == wide) return {EightBitKind::Unicode};
    return {EightBitKind::Unknown};
}

// UTF-16 or UTF-32, told by a byte-order mark or by how "<" is spelled; pugixml detects
// these itself.
bool LooksWide(const unsigned char* b, size_t size) {
    if (size < 2) return false;
    if ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)) return true;
    return (b[0] == 0 && (b[1] == 0 || b[1] == '<')) || (b[0] == '<' && b[1] == 0);
}

}  // namespace

PugiBuffer::PugiBuffer(size_t size) : data_(pugi::get_memory_allocation_function()(std::max<size_t>(size, 1))), size_(size) {
    if (!data_) throw Error(L"Out of memory");
}

PugiBuffer ReadPacketBytes(const std::wstring& fileName) {
    std::optional<PugiBuffer> buffer;
    ReadWholeFile(fileName, [&](size_t size) {
        if (size > kMaxPacketBytes)
            throw Error(Substitute(L"Data packet \"%s\" is too large (%d bytes)", {fileName, std::to_wstring(size)}));
        buffer.emplace(size);
        return static_cast<char*>(buffer->Get());
    });
    return std::move(*buffer);
}

pugi::xml_encoding PreparePacketEncoding(PugiBuffer& buffer, const std::wstring& fileName) {
    const auto* bytes = static_cast<const unsigned char*>(buffer.Get());
    if (LooksWide(bytes, buffer.Size())) return pugi::encoding_auto;

    const std::string_view text(static_cast<const char*>(buffer.Get()), buffer.Size());
    const bool utf8Mark = text.substr(0, 3) == "\xEF\xBB\xBF";
    const std::optional<std::string_view> declared = utf8Mark ? std::nullopt : DeclaredEncoding(text);
    const EightBitEncoding encoding = declared ? Classify(*declared) : EightBitEncoding{EightBitKind::Utf8};

    switch (encoding.kind) {
        case EightBitKind::Utf8: {
            const size_t bad = FindInvalidUtf8(bytes, buffer.Size());
            if (bad != std::string_view::npos)
                throw Error(Substitute(L"Data packet \"%s\" is not valid UTF-8 text (byte %d)",
                                       {fileName, std::to_wstring(bad)}));
            return pugi::encoding_utf8;
        }
        case EightBitKind::Latin1: return pugi::encoding_latin1;
        case EightBitKind::CodePage: {
            const int size = static_cast<int>(buffer.Size());
            const int length =
                MultiByteToWideChar(encoding.codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
            if (length == 0)
                throw Error(Substitute(L"Data packet \"%s\" is not valid %s text",
                                       {fileName, FromUtf8(*declared)}));
            PugiBuffer wide(static_cast<size_t>(length) * sizeof(wchar_t));
            MultiByteToWideChar(encoding.codePage, MB_ERR_INVALID_CHARS, text.data(), size,
                                static_cast<wchar_t*>(wide.Get()), length);
            buffer = std::move(wide);
            return pugi::encoding_wchar;
        }
        case EightBitKind::Unicode:
            throw Error(Substitute(L"Data packet \"%s\" declares the encoding \"%s\" but is not written in it",
                                   {fileName, FromUtf8(*declared)}));
        case EightBitKind::Unknown: break;
    }
    throw Error(Substitute(L"Data packet \"%s\" declares the encoding \"%s\", which cannot be read",
                           {fileName, FromUtf8(*declared)}));
}

}  // namespace orvelin
