#include "installer/InstallCatalogue.h"

namespace orvelin {

std::vector<FieldDef> ApplicsFields() {
    return {
        {L"MAJOR_ID", FieldType::Integer32, 0, true},
        {L"TITLE", FieldType::WideText, 400, true},
        {L"ACCOUNT_T", FieldType::Integer16, 0, true},
    };
}

std::vector<FieldDef> LocationsFields() {
    return {
        {L"MINOR_ID", FieldType::Integer32, 0, true},
        {L"PARENT_ID", FieldType::Integer32, 0, true},
        {L"TITLE", FieldType::WideText, 400, true},
        {L"FUNCTION_ID", FieldType::Integer32, 0, false},
    };
}

std::vector<FieldDef> FoldersFields() {
    return {
        {L"DETAIL_ID", FieldType::Integer32, 0, true},
        {L"PARENT_ID", FieldType::Integer32, 0, true},
        {L"TITLE", FieldType::WideText, 400, true},
        {L"FUNCTION_ID", FieldType::Integer32, 0, false},
    };
}

std::vector<FieldDef> FilesFields() {
    return {
        {L"FILE_ID", FieldType::Integer32, 0, true},
        {L"PARENT_ID", FieldType::Integer32, 0, true},
        {L"SELECTED", FieldType::Integer16, 0, true},
        {L"NODE_LEVEL", FieldType::Integer32, 0, true},
        {L"DESCRIPTION", FieldType::WideText, 400, true},
        {L"CLASS", FieldType::Integer16, 0, true},
        {L"NORMAL", FieldType::Integer16, 0, true},
        {L"NOTES", FieldType::WideText, 1200, false},
    };
}

InstallCatalogue::InstallCatalogue()
    : cdsApplics(ApplicsFields()), cdsLocations(LocationsFields()), cdsFolders(FoldersFields()), cdsFiles(FilesFields()) {
    cdsApplics.SetOrdering(L"MAJOR_ID");
    cdsLocations.SetOrdering(L"PARENT_ID");
    cdsLocations.SetMasterLink(cdsApplics, L"MAJOR_ID", L"PARENT_ID");
    cdsFolders.SetOrdering(L"PARENT_ID");
    cdsFolders.SetMasterLink(cdsLocations, L"MINOR_ID", L"PARENT_ID");
}

void InstallCatalogue::Load(const std::wstring& basePath) {
    cdsApplics.Load(basePath + kApplicsFile);
    cdsLocations.Load(basePath + kLocationsFile);
    cdsFolders.Load(basePath + kFoldersFile);
    cdsFiles.Load(basePath + kFilesFile);
}

void InstallCatalogue::SelectNodeFiles(int level, int nodeId) {
    cdsFiles.ClearSelection();
    cdsFiles.SetSelection(L"NODE_LEVEL = " + std::to_wstring(level) + L" and PARENT_ID = " + std::to_wstring(nodeId));
    cdsFiles.EnableSelection(true);
    cdsFiles.First();
}

}  // namespace orvelin
