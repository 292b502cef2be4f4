#pragma once
// Text for a standard handle: UTF-16 to a console, so that every character shows; UTF-8 to a
// file or a pipe, as scripts and build tools read it.
#include <windows.h>

#include <string>

namespace orvelin {

// stdHandle: STD_OUTPUT_HANDLE or STD_ERROR_HANDLE. Nothing happens when there is no handle.
void WriteStandard(DWORD stdHandle, const std::wstring& text);

}  // namespace orvelin
