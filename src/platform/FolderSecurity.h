#pragma once
// The access list of a folder that elevated programs read from: only administrators and the
// system may change what is in it.
#include <string>

#include "platform/Handles.h"

namespace orvelin {

// The descriptor of that access list (its DACL only), in memory the owner frees. Throws with
// the system's message.
UniqueLocalMemory AdministratorsOnlyDescriptor();

// Gives the folder, and through inheritance what is in it, a protected access list:
// Administrators and SYSTEM full control, Users read and execute, nothing inherited from the
// folder above. Throws "Cannot protect the folder %s. %s".
void ProtectFolderForAdministrators(const std::wstring& folder);

}  // namespace orvelin
