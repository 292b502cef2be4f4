#pragma once
// Every record of a setup folder's catalogue, whether an install reaches it or not, checked one
// by one, and the FILES tree checked against them.
#include <string>
#include <vector>

#include "installer/SetupFindings.h"

namespace orvelin {

class CatalogueRecords {
public:
    // Loads the four packets of setupFolder\data\ with the installer's field definitions but
    // without its links; each packet that cannot be loaded is a finding.
    CatalogueRecords(const std::wstring& setupFolder, std::vector<Finding>& findings);

    bool Loaded() const noexcept { return loaded_; }
    // Codes, ids and parents, file levels, and names the ANSI code page cannot hold.
    void Check(std::vector<Finding>& findings) const;
    // Every file under FILES that no record lists as its source, but for the uninstallers (full
    // paths), or for any file named as the uninstaller or its Arabic module when anyUninstaller.
    void CheckFilesTree(const std::vector<std::wstring>& uninstallers, bool anyUninstaller,
                        std::vector<Finding>& findings) const;

private:
    struct Application {
        int id;
        std::wstring title;
        int category;
    };
    struct Node {   // a location (parent: an application) or a folder (parent: a location)
        int id;
        int parent;
        std::wstring title;
        int function;
    };
    struct File {
        int id;
        int parent;
        int level;
        std::wstring name;
    };

    void CheckApplications(std::vector<Finding>& findings) const;
    void CheckLocations(std::vector<Finding>& findings) const;
    void CheckFolders(std::vector<Finding>& findings) const;
    void CheckFiles(std::vector<Finding>& findings) const;
    std::vector<const Application*> ApplicationsWithId(int id) const;
    std::vector<const Node*> LocationsWithId(int id) const;
    std::vector<const Node*> FoldersWithId(int id) const;
    bool HasFolders(const Node& location) const;
    bool UnderSetupPrograms(const Node& location) const;
    // Full paths of the sources the file's record names, one for each way to its node.
    std::vector<std::wstring> SourcesOf(const File& file) const;

    std::wstring root_;
    bool loaded_ = false;
    std::vector<Application> applications_;
    std::vector<Node> locations_;
    std::vector<Node> folders_;
    std::vector<File> files_;
};

}  // namespace orvelin
