#include "installer/Shortcuts.h"

#include <shlobj.h>

#include "contract/InstallContract.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

constexpr const wchar_t* ShellLinkClassId = L"{00021401-0000-0000-C000-000000000046}";

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

void Save(const ComPtr<IPersistFile>& link, const std::wstring& linkPath, InstallChanges& changes,
          std::vector<std::wstring>& listed) {
    changes.SaveShortcut(*link.Get(), linkPath);
    listed.push_back(linkPath);
}

}  // namespace

void CreateShortcuts(const std::wstring& target, const std::wstring& displayName, const std::wstring& shortcutName,
                     bool onDesktop, HWND owner, InstallChanges& changes, std::vector<std::wstring>& listed) {
    const std::wstring fileName = shortcutName + kShortcutExtension;
    const auto groupLink = MakeShellLink(target);
    const std::wstring group =
        ProgramGroupFolder(GetSpecialFolderLocation(owner, CSIDL_COMMON_PROGRAMS), displayName) + L"\\";
    changes.CreateFolders(group);
    Save(groupLink, group + fileName, changes, listed);
    if (!onDesktop) return;
    const auto desktopLink = MakeShellLink(target);
    Save(desktopLink, GetSpecialFolderLocation(owner, CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + fileName, changes, listed);
}

}  // namespace orvelin
