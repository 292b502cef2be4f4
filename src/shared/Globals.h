#pragma once
// The setup configuration file "setup.ini" beside the program, read through one accessor.
#include <optional>
#include <string>

namespace orvelin {

// Reads one INI file through the platform's profile functions; the file is never held open.
class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const noexcept { return path_; }
    // At most 2047 characters; a missing key or section gives the default.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) const;
    // An integer; non-zero is true. "0x.." (3+ characters) and "$.." are hexadecimal.
    // A missing key or text that is not an integer gives the default.
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool defaultValue) const;

private:
    std::wstring path_;
};

// Parses an INI integer the way ReadBool does; empty when the text is not an integer.
std::optional<int> ParseIniInteger(const std::wstring& text);

// Start-up of the setup configuration: binds to ExePath + "setup.ini" when it exists;
// otherwise (outside the development environment) shows "shutting down: setup.ini file was
// not found" and asks the program to end once its message loop runs; in both missing cases
// it binds to the developers' fallback file with Found() false.
class SetupConfig {
public:
    explicit SetupConfig(const std::wstring& exePath);
    const IniFile& Ini() const noexcept { return ini_; }
    bool Found() const noexcept { return found_; }

private:
    static IniFile Locate(const std::wstring& exePath, bool& found);
    bool found_ = false;
    IniFile ini_;
};

// The running program's setup file (valid between start-up and shut-down).
const IniFile& SetupIni();
bool SetupIniFound();
// The interface language is Arabic (false when no start-up ran, as in unit tests).
bool IsArabic();

}  // namespace orvelin
