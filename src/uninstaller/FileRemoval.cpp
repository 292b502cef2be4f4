#include "uninstaller/FileRemoval.h"

#include <windows.h>

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

// "X:\..." or "\\server\share\...", with no character Windows forbids in a path.
bool IsFullPath(const std::wstring& line) {
    const bool drive = line.size() > 3 && iswalpha(line[0]) && line[1] == L':' && line[2] == L'\\';
    const bool share = line.size() > 2 && line[0] == L'\\' && line[1] == L'\\';
    if (!drive && !share) return false;
    for (size_t i = 0; i < line.size(); ++i) {
        const wchar_t c = line[i];
        if (c < 0x20 || c == 0xFFFD || wcschr(L"<>\"|?*/", c) || (c == L':' && i != 1)) return false;
    }
    return true;
}

}  // namespace

std::vector<std::wstring> ReadRemovalList(const std::wstring& listFile) {
    std::vector<std::wstring> lines;
    try {
        lines = ReadInstalledFileList(listFile);
    } catch (const std::exception& e) {
        throw Error(Substitute(L"The list of installed files cannot be read. %s Nothing was removed.", {ErrorText(e)}));
    }
    std::vector<std::wstring> files;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        if (!IsFullPath(lines[i]))
            throw Error(Substitute(L"The list of installed files \"%s\" cannot be used: its line %s is no full file "
                                   L"path (the list is damaged or in an encoding it does not declare). Nothing was "
                                   L"removed.",
                                   {listFile, std::to_wstring(i + 1)}));
        files.push_back(lines[i]);
    }
    return files;
}

bool DeleteFileIfExists(RunLog& log, const std::wstring& file, std::wstring& reason) {
    // Most files simply go; only a refusal is looked into.
    if (DeleteFileW(file.c_str())) {
        log.Write(L"File deleted: " + file);
        return true;
    }
    DWORD code = GetLastError();
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesW(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (DeleteFileW(file.c_str())) {
            log.Write(L"File deleted: " + file);
            return true;
        }
        code = GetLastError();
        SetFileAttributesW(file.c_str(), attributes);
    }
    reason = SystemErrorText(code);
    log.Write(L"File not deleted: " + file + L": " + reason);
    return false;
}

}  // namespace orvelin
