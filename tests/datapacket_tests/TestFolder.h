#pragma once
// A fresh temporary folder for one test's files, removed with everything in it afterwards,
// and byte-level file helpers for writing packets exactly as other tools write them.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvelin::testing_support {

class TestFolder {
public:
    TestFolder() {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        const std::wstring stem = std::wstring(temp) + L"orvelin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-";
        for (int attempt = 0;; ++attempt) {
            path_ = stem + std::to_wstring(attempt);
            if (CreateDirectoryW(path_.c_str(), nullptr)) break;
            if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a test folder");
        }
        path_ += L'\\';
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // Ends with a backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const { return path_ + std::wstring(name); }

private:
    std::wstring path_;
};

inline void WriteBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// UTF-16 bytes of the text, little or big endian, with a byte-order mark.
inline std::string Utf16WithMark(std::wstring_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace orvelin::testing_support
