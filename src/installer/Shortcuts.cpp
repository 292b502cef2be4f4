// The Start-menu and desktop shortcuts to the application's main executable.
#include <shlobj.h>

#include "installer/InstallRun.h"
#include "shared/Error.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/TextUtil.h"

namespace orvelin {

namespace {

constexpr const wchar_t* ShellLinkClassId = L"{00021401-0000-0000-C000-000000000046}";

// The all-users folders are asked for through an item-id list, as shell links expect them.
std::wstring ShellFolderPath(HWND owner, int csidl) {
    UniqueItemIdList items;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, items.Put()))) return {};
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(items.Get(), path)) return {};
    return path;
}

template <typename Interface>
ComPtr<Interface> QueryShellLinkInterface(IUnknown& object, REFIID iid) {
    ComPtr<Interface> result;
    if (FAILED(object.QueryInterface(iid, result.PutVoid()))) throw Error(L"Interface not supported");
    return result;
}

// A Shell Link object aimed at the target, ready to be saved.
ComPtr<IPersistFile> MakeShellLink(const std::wstring& target) {
    ComPtr<IUnknown> object;
    const HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                             IID_IUnknown, object.PutVoid());
    if (FAILED(created))
        throw Error(Substitute(L"Cannot create an object of class %s. %s",
                               {ShellLinkClassId, SystemErrorText(static_cast<DWORD>(created))}));
    const auto link = QueryShellLinkInterface<IShellLinkW>(*object.Get(), IID_IShellLinkW);
    auto file = QueryShellLinkInterface<IPersistFile>(*object.Get(), IID_IPersistFile);
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(ExtractFilePath(target).c_str());
    return file;
}

}  // namespace

void InstallRun::CreateShortcuts() {
    CreateProgramGroupShortcut();
    if (view_.AddShortcut()) CreateDesktopShortcut();
}

void InstallRun::CreateProgramGroupShortcut() {
    const auto link = MakeShellLink(state_.ShortcutTarget);
    const std::wstring linkPath = ShellFolderPath(view_.Owner(), CSIDL_COMMON_PROGRAMS) + L"\\ORVELIN\\" +
                                  view_.DisplayName() + L"\\" + view_.ShortcutName() + L".LNK";
    const std::wstring folder = ExtractFilePath(linkPath);
    if (!DirectoryExists(folder)) ForceDirectories(folder);
    // Not checked: a name the file system refuses leaves no shortcut, and the uninstaller
    // passes over a listed file that is missing.
    link->Save(linkPath.c_str(), FALSE);
    state_.InstalledFileList.push_back(linkPath);
}

void InstallRun::CreateDesktopShortcut() {
    const auto link = MakeShellLink(state_.ShortcutTarget);
    const std::wstring linkPath =
        ShellFolderPath(view_.Owner(), CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + view_.ShortcutName() + L".LNK";
    link->Save(linkPath.c_str(), FALSE);
    state_.InstalledFileList.push_back(linkPath);
}

}  // namespace orvelin
