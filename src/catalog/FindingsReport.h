#pragma once
// The findings of a check as `catalog` reports them: text for people, JSON for machines, and the
// exit code.
#include <string>
#include <vector>

#include "installer/SetupFindings.h"

namespace orvelin {

enum CatalogExitCode : int {
    kCatalogClean = 0,
    kCatalogWarnings = 1,    // warnings only
    kCatalogErrors = 2,      // errors, or a description or setup folder that cannot be read
    kCatalogBadCommand = 3,  // a command line it does not understand
};

CatalogExitCode CheckExitCode(const std::vector<Finding>& findings);

// Each finding (FindingText), then "<n> errors, <m> warnings". Lines end with CR LF.
std::wstring FindingsText(const std::vector<Finding>& findings);
// {"errors": n, "warnings": m, "findings": [{"class": "error", "code": ..., "packet": ...,
// "record": ..., "problem": ..., "fix": ..., "windows": ...}, ...]}
std::wstring FindingsJson(const std::vector<Finding>& findings);

}  // namespace orvelin
