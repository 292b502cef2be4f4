#pragma once
// `catalog build`: the four packets of a setup folder, written from a catalogue description and
// the folder's own FILES tree.
#include <string>

#include "catalog/CatalogueDescription.h"

namespace orvelin {

// Writes setupFolder\data\*.xml. Ids are numbered in the description's order. Each node lists
// the files of its source folder that its patterns match, in the patterns' order and then by
// name; of application, common and Windows files, which share their category's folder, a file
// goes to the first node that takes it. The uninstaller beside the main executable (setup.ini's
// ApplicExeName) is not listed: the install takes it from there by itself.
// Throws DescriptionError, naming the line, for a folder of setup programs that is not in FILES
// and for a node whose patterns match no file; nothing is written then.
void BuildCatalogue(const CatalogueDescription& description, const std::wstring& setupFolder);

}  // namespace orvelin
