#include "foundation/ErrorLog.h"

#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace orvelin {

void ErrorLog::Open(const std::wstring& errorLogDir) {
    fileName_ = errorLogDir + L"ClientError.log";
    lines_.clear();
    encoding_ = TextEncoding::Ansi;
    open_ = true;

    if (!DirectoryExists(errorLogDir)) {
        if (CreateDirectoryW(ExcludeTrailingBackslash(errorLogDir).c_str(), nullptr))
            lines_ = {HeaderLine1, HeaderLine2};
        return;
    }
    if (!FileExists(fileName_)) {
        lines_ = {HeaderLine1, HeaderLine2};
        return;
    }
    try {
        TextLines read = ReadTextFile(fileName_);
        lines_ = std::move(read.lines);
        encoding_ = read.encoding;
    } catch (const std::exception&) {
        // An unreadable log is not worth stopping the program for; leave it untouched, and
        // do not write an empty one over it at the end.
        open_ = false;
        return;
    }
    const std::wstring backup = ChangeFileExt(fileName_, L".BAK");
    if (GetFileAttributesW(backup.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileW(backup.c_str())) {
        const DWORD attributes = GetFileAttributesW(backup.c_str());
        const DWORD linkedFolder = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & linkedFolder) == linkedFolder)
            RemoveDirectoryW(backup.c_str());
    }
    MoveFileW(fileName_.c_str(), backup.c_str());
}

bool ErrorLog::Save() noexcept {
    if (!open_) return false;
    open_ = false;
    bool saved = false;
    try {
        WriteTextFile(fileName_, lines_, encoding_);
        saved = true;
    } catch (...) {
        // The program is ending; the backup made at start keeps the previous log.
    }
    lines_.clear();
    lines_.shrink_to_fit();
    return saved;
}

}  // namespace orvelin
