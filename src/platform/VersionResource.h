#pragma once
// The version a program file's version resource gives, read from the file as data: no code of
// it runs, and no library beyond the kernel's is needed.
#include <optional>
#include <string>

namespace orvelin {

// "major.minor.build.revision" of the file version; empty when the file has no version resource.
std::optional<std::wstring> FileVersionOf(const std::wstring& programFile);

}  // namespace orvelin
