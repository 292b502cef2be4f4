#pragma once
// Builds an installation catalogue in code and writes its four files, for test setups and
// tools that prepare setup folders:
//
//   CatalogueWriter catalogue;
//   catalogue.Add(CatalogueApplication{.majorId = 1, .title = L"Accounts", .accountType = 1})
//            .Add(CatalogueLocation{.minorId = 10, .parentId = 1, .title = L"BIN", .functionId = 1})
//            .AddLocationFile(10, L"Accounts.exe");
//   catalogue.Save(setupFolder);   // setupFolder + "data\tblApplics.xml" and the others
#include <optional>
#include <string>

#include "installer/InstallCatalogue.h"

namespace orvelin {

struct CatalogueApplication {
    int majorId = 0;
    std::wstring title{};
    int accountType = 0;
};

struct CatalogueLocation {
    int minorId = 0;
    int parentId = 0;
    std::wstring title{};
    std::optional<int> functionId{};   // nothing: the attribute is left out
};

struct CatalogueFolder {
    int detailId = 0;
    int parentId = 0;
    std::wstring title{};
    std::optional<int> functionId{};
};

struct CatalogueFile {
    int fileId = 0;
    int parentId = 0;
    int nodeLevel = kLocationLevel;
    std::wstring description{};
    int selected = 1;
    int fileClass = 0;
    int normal = 0;
    std::optional<std::wstring> notes{};
};

class CatalogueWriter {
public:
    CatalogueWriter();

    CatalogueWriter& Add(const CatalogueApplication& application);
    CatalogueWriter& Add(const CatalogueLocation& location);
    CatalogueWriter& Add(const CatalogueFolder& folder);
    CatalogueWriter& Add(const CatalogueFile& file);
    // A file of a location (level 2) or of a folder (level 3), numbered after the files so far.
    CatalogueWriter& AddLocationFile(int minorId, std::wstring description);
    CatalogueWriter& AddFolderFile(int detailId, std::wstring description);

    // Writes basePath + "data\tblApplics.xml" and the other three, creating the "data" folder;
    // basePath ends with a backslash.
    void Save(const std::wstring& basePath);

private:
    CatalogueWriter& AddNumberedFile(int parentId, int nodeLevel, std::wstring description);

    DataPacketTable applics_;
    DataPacketTable locations_;
    DataPacketTable folders_;
    DataPacketTable files_;
    int lastFileId_ = 0;
};

}  // namespace orvelin
