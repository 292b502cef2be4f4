#pragma once
// The command line of catalog.exe and what each command answers:
//
//   catalog check SETUPFOLDER [--json]
//   catalog build DESCRIPTION SETUPFOLDER
//   catalog show SETUPFOLDER
#include <string>
#include <vector>

#include "catalog/FindingsReport.h"

namespace orvelin {

struct CommandResult {
    int exitCode = kCatalogClean;
    std::wstring output;   // for standard output
    std::wstring errors;   // for standard error: what stopped the command
};

// arguments: the command line's words after the program's name.
CommandResult RunCatalogCommand(const std::vector<std::wstring>& arguments);

}  // namespace orvelin
