#pragma once
// The setup configuration file "setup.ini" beside the program, read through the platform's
// profile functions; the file is never held open.
#include <string>
#include <utility>
#include <vector>

namespace orvelin {

// The setup file's name in the setup folder.
inline constexpr wchar_t kSetupIniName[] = L"setup.ini";

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const noexcept { return path_; }
    // At most 2047 characters; a missing key or section gives the default.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue = L"") const;
    // An integer; non-zero is true. "0x.." (3+ characters) and "$.." are hexadecimal.
    // A missing key or text that is not an integer gives the default.
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool defaultValue) const;
    // Every "key=value" of the section, in file order; keys keep their spelling.
    std::vector<std::pair<std::wstring, std::wstring>> ReadSection(const std::wstring& section) const;

private:
    std::wstring path_;
};

// The setup file a program runs with: "setup.ini" in the program's folder (the current folder
// by the time it is looked for) when it is there; otherwise the developers' fallback file,
// with Found() false. Nothing else is searched.
class SetupIni {
public:
    explicit SetupIni(const std::wstring& exePath);
    const IniFile& File() const noexcept { return file_; }
    bool Found() const noexcept { return found_; }

private:
    bool found_;
    IniFile file_;
};

}  // namespace orvelin
