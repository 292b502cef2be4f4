#include "platform/FolderSecurity.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

// P: protected, not inheriting; OICI: for the folder, its files and its folders.
constexpr wchar_t kAdministratorsOnly[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FRFX;;;BU)";

[[noreturn]] void RaiseProtectError(const std::wstring& folder, DWORD code) {
    throw Error(Substitute(L"Cannot protect the folder %s. %s", {folder, SystemErrorText(code)}));
}

}  // namespace

UniqueLocalMemory AdministratorsOnlyDescriptor() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1, &descriptor, nullptr))
        RaiseLastOSError(GetLastError());
    return UniqueLocalMemory(descriptor);
}

void ProtectFolderForAdministrators(const std::wstring& folder) {
    const UniqueLocalMemory descriptor = AdministratorsOnlyDescriptor();
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor.Get(), &present, &dacl, &defaulted))
        RaiseProtectError(folder, GetLastError());
    const DWORD code = SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                                             DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                                             nullptr, dacl, nullptr);
    if (code != ERROR_SUCCESS) RaiseProtectError(folder, code);
}

}  // namespace orvelin
