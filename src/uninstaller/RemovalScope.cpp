#include "uninstaller/RemovalScope.h"

#include <shlobj.h>

#include "contract/InstallContract.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ShellFolders.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

bool IsBelow(const std::wstring& path, const std::wstring& folder) {
    return !folder.empty() && path.size() > folder.size() + 1 && path[folder.size()] == L'\\' &&
           EqualsIgnoreCase(std::wstring_view(path).substr(0, folder.size()), folder);
}

bool HasDotParts(const std::wstring& path) {
    size_t start = 0;
    for (;;) {
        const size_t end = path.find(L'\\', start);
        const std::wstring_view part = std::wstring_view(path).substr(start, end == std::wstring::npos ? end : end - start);
        if (part == L"." || part == L"..") return true;
        if (end == std::wstring::npos) return false;
        start = end + 1;
    }
}

std::wstring ParentOf(const std::wstring& path) { return ExcludeTrailingBackslash(ExtractFilePath(path)); }

}  // namespace

bool RemovalScope::ThroughLink(const std::wstring& from, const std::wstring& path) {
    std::vector<std::wstring> checked;
    for (std::wstring folder = ParentOf(path), parent; folder.size() >= from.size(); folder = std::move(parent)) {
        std::wstring key = UpperAscii(folder);
        if (plainFolders_.count(key)) break;
        if (IsReparsePoint(folder)) return true;
        checked.push_back(std::move(key));
        parent = ParentOf(folder);
        if (folder.size() == from.size() || parent.size() >= folder.size()) break;
    }
    plainFolders_.insert(checked.begin(), checked.end());
    return false;
}

bool RemovalScope::IsPlainFolder(const std::wstring& folder) {
    std::wstring key = UpperAscii(folder);
    if (plainFolders_.count(key)) return true;
    if (IsReparsePoint(folder)) return false;
    plainFolders_.insert(std::move(key));
    return true;
}

RemovalScope::RemovalScope(Folders folders) : folders_(std::move(folders)) {
    for (auto& folder : folders_.application) folder = ExcludeTrailingBackslash(folder);
    folders_.programGroup = ExcludeTrailingBackslash(folders_.programGroup);
    folders_.desktop = ExcludeTrailingBackslash(folders_.desktop);
    folders_.uninstall = ExcludeTrailingBackslash(folders_.uninstall);
}

RemovalScope RemovalScope::Of(const UninstallSettings& settings, const std::wstring& uninstallFolder) {
    const std::wstring programs = GetSpecialFolder(CSIDL_COMMON_PROGRAMS);
    return RemovalScope({ApplicationFolders(settings.ApplicationName()),
                         programs.empty() ? L"" : ProgramGroupFolder(programs, settings.displayName),
                         GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY), uninstallFolder});
}

RemovalScope::Place RemovalScope::Classify(const std::wstring& listedPath) {
    // "." and ".." parts: no list the installer writes spells a path so. (Doubled backslashes
    // it does write, where a catalogue title is empty.)
    if (HasDotParts(listedPath)) return Place::Outside;
    const std::wstring path = FullPathName(listedPath);
    if (path.empty()) return Place::Outside;
    const std::wstring parent = ParentOf(path);
    for (const auto& base : folders_.application)
        // From the company's folder down: a junction there would lead elsewhere as well.
        if (IsBelow(path, base)) return ThroughLink(ParentOf(base), path) ? Place::Outside : Place::Application;
    if (!folders_.programGroup.empty() && EqualsIgnoreCase(parent, folders_.programGroup))
        return ThroughLink(ParentOf(folders_.programGroup), path) ? Place::Outside : Place::ProgramGroup;
    if (!folders_.desktop.empty() && EqualsIgnoreCase(parent, folders_.desktop) &&
        UpperAscii(path).ends_with(kShortcutExtension))
        return ThroughLink(parent, path) ? Place::Outside : Place::Desktop;
    if (!folders_.uninstall.empty() && EqualsIgnoreCase(parent, folders_.uninstall))
        return ThroughLink(parent, path) ? Place::Outside : Place::UninstallFolder;
    return Place::Outside;
}

}  // namespace orvelin
