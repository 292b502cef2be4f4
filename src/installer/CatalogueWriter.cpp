#include "installer/CatalogueWriter.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

FieldValue Optional(const std::optional<int>& value) {
    return value ? FieldValue(*value) : FieldValue();
}

}  // namespace

CatalogueWriter::CatalogueWriter()
    : applics_(ApplicsFields()), locations_(LocationsFields()), folders_(FoldersFields()), files_(FilesFields()) {}

CatalogueWriter& CatalogueWriter::Add(const CatalogueApplication& application) {
    applics_.Append({application.majorId, application.title, application.accountType});
    return *this;
}

CatalogueWriter& CatalogueWriter::Add(const CatalogueLocation& location) {
    locations_.Append({location.minorId, location.parentId, location.title, Optional(location.functionId)});
    return *this;
}

CatalogueWriter& CatalogueWriter::Add(const CatalogueFolder& folder) {
    folders_.Append({folder.detailId, folder.parentId, folder.title, Optional(folder.functionId)});
    return *this;
}

CatalogueWriter& CatalogueWriter::Add(const CatalogueFile& file) {
    files_.Append({file.fileId, file.parentId, file.selected, file.nodeLevel, file.description, file.fileClass,
                   file.normal, file.notes ? FieldValue(*file.notes) : FieldValue()});
    lastFileId_ = std::max(lastFileId_, file.fileId);
    return *this;
}

CatalogueWriter& CatalogueWriter::AddLocationFile(int minorId, std::wstring description) {
    return AddNumberedFile(minorId, kLocationLevel, std::move(description));
}

CatalogueWriter& CatalogueWriter::AddFolderFile(int detailId, std::wstring description) {
    return AddNumberedFile(detailId, kFolderLevel, std::move(description));
}

CatalogueWriter& CatalogueWriter::AddNumberedFile(int parentId, int nodeLevel, std::wstring description) {
    CatalogueFile file;
    file.fileId = lastFileId_ + 1;
    file.parentId = parentId;
    file.nodeLevel = nodeLevel;
    file.description = std::move(description);
    return Add(file);
}

void CatalogueWriter::Save(const std::wstring& basePath) {
    const std::wstring dataFolder = basePath + L"data";
    if (!ForceDirectories(dataFolder))
        throw Error(Substitute(L"Cannot create folder \"%s\"", {dataFolder}));
    applics_.Save(basePath + kApplicsFile);
    locations_.Save(basePath + kLocationsFile);
    folders_.Save(basePath + kFoldersFile);
    files_.Save(basePath + kFilesFile);
}

}  // namespace orvelin
