#pragma once
// The one way the installer copies a file: replacing what is there, and on failure telling
// the user which copy it was before the error ends the run.
#include <string>

#include "ui/RunView.h"

namespace orvelin {

// CopyFileW with bFailIfExists FALSE. On failure shows failureNotice in a plain box, then
// throws "Error executing copyFile %s" with the system's message for the copy's error code.
void CopyFileReplacing(RunView& view, const std::wstring& source, const std::wstring& destination,
                       const std::wstring& failureNotice);

// The notice of a failed copy: the two texts separated by a line feed and a carriage
// return, in that order.
std::wstring CopyFailureNotice(const std::wstring& first, const std::wstring& second);

}  // namespace orvelin
