#pragma once
// What the uninstall run removes from the disk: the files of the installed-file list, read and
// checked before anything goes, each deleted when it is there.
#include <string>
#include <vector>

#include "foundation/RunLog.h"

namespace orvelin {

// The installed-file list of the uninstall folder, every line a full path. A list that cannot
// be read, or has a line that is no full path (a list in an encoding it does not declare, or
// damaged), throws before anything is removed, saying that nothing was.
std::vector<std::wstring> ReadRemovalList(const std::wstring& listFile);

// Deletes the file when one of that name exists (a folder of that name is no file); a
// read-only file is made writable first. False, with the reason logged and kept in `reason`,
// when the system refuses.
bool DeleteFileIfExists(RunLog& log, const std::wstring& file, std::wstring& reason);

}  // namespace orvelin
