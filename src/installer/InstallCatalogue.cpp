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
    : applications(ApplicsFields()), locations(LocationsFields()), folders(FoldersFields()), files(FilesFields()) {
    applications.SetOrdering(L"MAJOR_ID");
    locations.SetOrdering(L"PARENT_ID");
    locations.SetMasterLink(applications, L"MAJOR_ID", L"PARENT_ID");
    folders.SetOrdering(L"PARENT_ID");
    folders.SetMasterLink(locations, L"MINOR_ID", L"PARENT_ID");
}

void InstallCatalogue::Load(const std::wstring& basePath) {
    applications.Load(basePath + kApplicsFile);
    locations.Load(basePath + kLocationsFile);
    folders.Load(basePath + kFoldersFile);
    files.Load(basePath + kFilesFile);
}

void InstallCatalogue::SelectNodeFiles(int level, int nodeId) {
    files.ClearSelection();
    files.SetSelection(L"NODE_LEVEL = " + std::to_wstring(level) + L" and PARENT_ID = " + std::to_wstring(nodeId));
    files.EnableSelection(true);
    files.First();
}

}  // namespace orvelin
