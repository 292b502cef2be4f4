#include "platform/FileSystem.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

[[noreturn]] void RaiseFileError(const wchar_t* pattern, const std::wstring& path, DWORD code = GetLastError()) {
    throw Error(Substitute(pattern, {path, SystemErrorText(code)}));
}

}  // namespace

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::wstring& path, std::vector<std::wstring>* created) {
    const std::wstring folder = ExcludeTrailingBackslash(path);
    if (folder.empty()) return false;
    if (DirectoryExists(folder)) return true;
    const std::wstring parent = ExcludeTrailingBackslash(ExtractFilePath(folder));
    // A drive ("C:") or the root of the current drive ends the walk up.
    if (!parent.empty() && parent != folder && parent.back() != L':' && !ForceDirectories(parent, created))
        return false;
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
        if (created) created->push_back(folder);
        return true;
    }
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

std::wstring FullPathName(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return {};
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

bool IsReparsePoint(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring ModuleFilePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

size_t ReadWholeFile(const std::wstring& path, const std::function<char*(size_t)>& allocate) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) RaiseFileError(L"Cannot open file \"%s\". %s", path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) RaiseFileError(L"Cannot open file \"%s\". %s", path);
    if (static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX / 2)
        RaiseFileError(L"Cannot read file \"%s\". %s", path, ERROR_NOT_ENOUGH_MEMORY);
    const auto total = static_cast<size_t>(size.QuadPart);
    char* bytes = allocate(total);
    size_t done = 0;
    while (done < total) {
        DWORD read = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(total - done, 1u << 30));
        if (!ReadFile(file.Get(), bytes + done, chunk, &read, nullptr))
            RaiseFileError(L"Cannot read file \"%s\". %s", path);
        if (read == 0) RaiseFileError(L"Cannot read file \"%s\". %s", path, ERROR_HANDLE_EOF);
        done += read;
    }
    return total;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    ReadWholeFile(path, [&bytes](size_t size) {
        bytes.resize(size);
        return bytes.data();
    });
    return bytes;
}

FileWriter::FileWriter(std::wstring path, DWORD share, Mode mode)
    : path_(std::move(path)),
      file_(mode == Mode::Replace
                ? CreateFileW(path_.c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                : CreateFileW(path_.c_str(), FILE_APPEND_DATA, share, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr)) {
    if (!file_) RaiseFileError(L"Cannot create file \"%s\". %s", path_);
}

void FileWriter::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file_.Get(), bytes.data(), chunk, &written, nullptr) || written == 0)
            RaiseFileError(L"Cannot write file \"%s\". %s", path_);
        bytes.remove_prefix(written);
    }
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) { FileWriter(path).Write(bytes); }

void ForEachEntry(const std::wstring& folder, const std::wstring& pattern,
                  const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW entry;
    const UniqueFind find(FindFirstFileW((IncludeTrailingBackslash(folder) + pattern).c_str(), &entry));
    if (!find) return;
    do {
        visit(entry);
    } while (FindNextFileW(find.Get(), &entry));
}

bool IsFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

void CollectFiles(std::vector<std::wstring>& list, const std::wstring& folder, const std::wstring& mask) {
    // An empty folder would mean the root of the current drive.
    if (folder.empty()) return;
    const std::wstring base = IncludeTrailingBackslash(folder);
    ForEachEntry(base, mask, [&](const WIN32_FIND_DATAW& entry) {
        if (!IsFolder(entry)) list.push_back(base + entry.cFileName);
    });
    std::vector<std::wstring> subfolders;
    ForEachEntry(base, L"*.*", [&](const WIN32_FIND_DATAW& entry) {
        if (IsFolder(entry) && entry.cFileName[0] != L'.') subfolders.emplace_back(entry.cFileName);
    });
    for (const auto& subfolder : subfolders) CollectFiles(list, base + subfolder, mask);
}

}  // namespace orvelin
