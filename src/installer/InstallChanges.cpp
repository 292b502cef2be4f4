#include "installer/InstallChanges.h"

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvelin {

std::wstring CopyFailureNotice(const std::wstring& first, const std::wstring& second) {
    return first + L"\n\r" + second;
}

bool InstallChanges::CreateFolders(const std::wstring& folder) {
    std::vector<std::wstring> created;
    const bool exists = ForceDirectories(folder, &created);
    for (const auto& made : created) log_.Write(L"Folder created: " + made);
    return exists;
}

void InstallChanges::CopyReplacing(const std::wstring& source, const std::wstring& destination,
                              const std::wstring& failureNotice) {
    if (CopyFileW(source.c_str(), destination.c_str(), FALSE)) {
        log_.Write(L"File copied: " + source + L" -> " + destination);
        return;
    }
    // Taken before the box, which may change the thread's last error.
    const DWORD code = GetLastError();
    log_.Write(L"File not copied: " + source + L" -> " + destination + L": " + SystemErrorText(code));
    view_.ShowMessage(failureNotice);
    throw Error(Substitute(L"Error executing copyFile %s", {SystemErrorMessage(code)}));
}

void InstallChanges::WriteInstalledFileList(const std::wstring& path, const std::vector<std::wstring>& files) {
    orvelin::WriteInstalledFileList(path, files);
    log_.Write(L"File written: " + path);
}

HRESULT InstallChanges::SaveShortcut(IPersistFile& link, const std::wstring& path) {
    const HRESULT saved = link.Save(path.c_str(), FALSE);
    log_.Write((SUCCEEDED(saved) ? L"Shortcut saved: " : L"Shortcut not saved: ") + path);
    return saved;
}

RegistryKey InstallChanges::CreateMachineKey(const std::wstring& path) {
    // No view flag: a 32-bit installer writes, and its uninstaller reads, the 32-bit view.
    return RegistryKey::Create(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS);
}

void InstallChanges::WriteString(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name,
                                 const std::wstring& value) {
    key.WriteString(name, value);
    log_.Write(L"Registry value set: HKEY_LOCAL_MACHINE\\" + keyPath + L" " + name + L" = " + value);
}

void InstallChanges::WriteDword(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name,
                                DWORD value) {
    key.WriteDword(name, value);
    log_.Write(L"Registry value set: HKEY_LOCAL_MACHINE\\" + keyPath + L" " + name + L" = " + std::to_wstring(value));
}

}  // namespace orvelin
