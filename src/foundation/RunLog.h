#pragma once
// The log of one start of either program: UTF-8, one event a line, each line beginning with
// the local date and time. Every line goes to the file at once, so the log of a run that was
// killed reads up to the kill.
#include <string>

#include "platform/FileSystem.h"

namespace orvelin {

class RunLog {
public:
    // Creates or replaces the file. Throws "Cannot create file "%s". %s".
    explicit RunLog(std::wstring path);

    const std::wstring& Path() const noexcept { return path_; }
    // Line breaks inside the text are written as " | ", so that an event stays one line.
    void Write(const std::wstring& text);
    // A copy of the log so far, where support staff will look for it. Failing is no error.
    bool CopyTo(const std::wstring& path) const;

private:
    std::wstring path_;
    FileWriter file_;
};

// "<temporary folder><program>_<GUID>_<yyyymmdd>_<hhmmss>_<process id>.log"; without a GUID its
// part is left out. The process id keeps two programs started in the same second apart.
std::wstring DefaultLogPath(const std::wstring& tempFolder, const std::wstring& program, const std::wstring& guid);

}  // namespace orvelin
