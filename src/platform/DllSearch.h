#pragma once
// Where the process finds the DLLs it loads by name. The programs run elevated from folders
// others can write (a Downloads folder, an uninstall folder): a DLL there under a system name
// must never be the one loaded.
#include <vector>

#include "platform/Handles.h"

namespace orvelin {

// Made first thing, before anything loads a DLL, and kept for the life of the program:
// - DLLs loaded by name come from the system folder only from then on (the application's
//   folder and the current folder are no longer searched);
// - the DLLs that Windows' own components load by name for the programs' windows and
//   shortcuts, and that are not among the DLLs Windows always takes from the system folder,
//   are loaded from the system folder by full path, so that a later load by name finds them
//   loaded. That covers Windows without SetDefaultDllDirectories (Vista and 7 without its
//   update), where the application's folder is still searched first, and components that
//   load through paths of their own.
class SystemDllSearch {
public:
    SystemDllSearch();
    SystemDllSearch(const SystemDllSearch&) = delete;
    SystemDllSearch& operator=(const SystemDllSearch&) = delete;

private:
    std::vector<UniqueModule> preloaded_;
};

// A system DLL loaded by name, as Windows resolves names (the application manifest's
// side-by-side assemblies first), kept loaded while the owner lives. Throws with the system's
// message when it cannot be loaded.
UniqueModule LoadSystemLibrary(const wchar_t* name);

}  // namespace orvelin
