#include "foundation/SetupIni.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "platform/FileSystem.h"
#include "platform/Text.h"

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

bool IniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool defaultValue) const {
    const auto value = ParseInteger(ReadString(section, key), IntegerSyntax::DecimalOrHex);
    return value ? *value != 0 : defaultValue;
}

std::vector<std::pair<std::wstring, std::wstring>> IniFile::ReadSection(const std::wstring& section) const {
    std::vector<wchar_t> buffer(4096);
    for (;;) {
        const DWORD length = GetPrivateProfileSectionW(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                       path_.c_str());
        if (length + 2 < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (const wchar_t* line = buffer.data(); *line; line += wcslen(line) + 1) {
        const std::wstring text = line;
        const size_t equals = text.find(L'=');
        if (equals == std::wstring::npos) continue;
        entries.emplace_back(Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)));
    }
    return entries;
}

SetupIni::SetupIni(const std::wstring& exePath)
    : found_(FileExists(kSetupIniName)), file_(found_ ? exePath + kSetupIniName : ORVELIN_DEV_SETUP_INI) {}

}  // namespace orvelin
