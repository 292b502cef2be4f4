#pragma once
// A catalogue description: the short text from which `catalog build` writes a setup folder's
// four packets. It names the applications in install order, their locations and folders, and
// which files of the FILES tree each takes; the files themselves are not typed.
//
//   # A comment runs from "#" (at the start or after a blank) to the end of the line.
//   application TITLE: CATEGORY              one of CategoryWords(), in install order
//     location TITLE: BASE                   application, common and Windows files
//       folder TITLE: PATTERN, ...           the files of the category's folder it takes
//       files: PATTERN, ...                  or, without folders, the location's own files
//     location TITLE: SERVER, GENERATION     database servers
//     location TITLE: GENERATION             other vendors' programs
//       folder TITLE: copy|run[, PATTERN, ...]   files of FILES\<category>\<location>\<folder>
//
// Indentation is for the reader; each line belongs to the last line above it of the level
// above. A title runs up to the line's last colon.
#include <string>
#include <vector>

#include "platform/Error.h"

namespace orvelin {

struct DescribedFolder {
    int line = 0;
    std::wstring title;
    int action = 0;                       // database servers and other vendors' programs: FUNCTION_ID
    std::vector<std::wstring> patterns;   // the files it takes, in this order; empty: none
};

struct DescribedLocation {
    int line = 0;
    std::wstring title;
    int functionId = 0;
    bool ownFiles = false;                   // a "files" line: the location's own files, no folders
    std::vector<std::wstring> ownPatterns{};
    std::vector<DescribedFolder> folders{};
};

struct DescribedApplication {
    int line = 0;
    std::wstring title;
    int category = 0;
    std::vector<DescribedLocation> locations;
};

struct CatalogueDescription {
    std::wstring fileName;   // as the messages name it
    std::vector<DescribedApplication> applications;
};

// A description that cannot be read: "<file>(<line>): <what>", as compilers say it.
class DescriptionError : public Error {
public:
    using Error::Error;
    DescriptionError(const std::wstring& fileName, int line, const std::wstring& what)
        : Error(fileName + L"(" + std::to_wstring(line) + L"): " + what) {}
};

CatalogueDescription ParseDescription(const std::wstring& text, const std::wstring& fileName);
// The file in UTF-8, with or without a byte-order mark.
CatalogueDescription ReadDescription(const std::wstring& path);

}  // namespace orvelin
