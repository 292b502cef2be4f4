#pragma once
// Removing one installed file, as the uninstall run does for every listed file.
#include <string>

#include "foundation/RunLog.h"
#include "ui/RunView.h"

namespace orvelin {

// Deletes the file when one of that name exists (a folder of that name, or a name with
// wildcards, is no file). A deletion the system refuses shows "Error DeleteFile" and answers
// false. What happened is logged.
bool DeleteFileIfExists(RunView& view, RunLog& log, const std::wstring& file);

}  // namespace orvelin
