#include "shared/Globals.h"

#include <windows.h>

#include <climits>

#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/GenUtil.h"

#ifndef ORVELIN_DEV_SETUP_INI
#define ORVELIN_DEV_SETUP_INI L"C:\\Orvelin\\SetupData\\setup.ini"
#endif

namespace orvelin {

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& defaultValue) const {
    wchar_t buffer[2048];
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                  static_cast<DWORD>(std::size(buffer)), path_.c_str());
    return std::wstring(buffer, length);
}

std::optional<int> ParseIniInteger(const std::wstring& value) {
    std::wstring text = value;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) text = L"$" + text.substr(2);
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    const bool hex = i < text.size() && text[i] == L'$';
    if (hex) ++i;
    if (i == text.size()) return std::nullopt;
    unsigned long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
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
    long long result;
    if (hex)
        result = static_cast<int>(static_cast<unsigned>(magnitude));
    else if (magnitude > static_cast<unsigned long long>(INT_MAX) + (negative ? 1 : 0))
        return std::nullopt;
    else
        result = static_cast<long long>(magnitude);
    return static_cast<int>(negative ? -result : result);
}

bool IniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool defaultValue) const {
    const auto value = ParseIniInteger(ReadString(section, key, L""));
    return value ? *value != 0 : defaultValue;
}

IniFile SetupConfig::Locate(const std::wstring& exePath, bool& found) {
    // The current folder is the program's folder by now; nothing else is searched.
    found = FileExists(L"setup.ini");
    if (found) return IniFile(exePath + L"setup.ini");
    if (!IsDevelopmentMode()) {
        MessageBoxW(nullptr, L"shutting down: setup.ini file was not found", ApplicationTitle().c_str(), MB_OK);
        // Takes effect when the message loop first runs: the window is still created and shown.
        PostQuitMessage(0);
    }
    return IniFile(ORVELIN_DEV_SETUP_INI);
}

SetupConfig::SetupConfig(const std::wstring& exePath) : ini_(Locate(exePath, found_)) {}

}  // namespace orvelin
