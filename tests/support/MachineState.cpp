#include "support/MachineState.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace orvelin::test {

namespace {

void CaptureFolder(const std::wstring& folder, MachineState& state) {
    state.folders.insert(UpperAscii(folder));
    std::vector<std::wstring> children;
    ForEachEntry(IncludeTrailingBackslash(folder), L"*", [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") return;
        const std::wstring path = IncludeTrailingBackslash(folder) + name;
        if (IsFolder(entry)) {
            children.push_back(path);
        } else {
            state.files[UpperAscii(path)] =
                std::to_string(entry.dwFileAttributes & ~FILE_ATTRIBUTE_ARCHIVE) + ":" + ReadFileBytes(path);
        }
    });
    for (const auto& child : children) CaptureFolder(child, state);
}

void CaptureKey(const std::wstring& path, MachineState& state) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    state.registry[path] = L"(key)";
    std::vector<std::wstring> subkeys;
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        std::wstring text = std::to_wstring(type) + L":";
        for (DWORD i = 0; i < dataSize; ++i) text += std::to_wstring(data[i]) + L",";
        state.registry[path + L"\\" + std::wstring(name.data(), nameLength)] = text;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(path + L"\\" + name);
    }
    RegCloseKey(key);
    for (const auto& subkey : subkeys) CaptureKey(subkey, state);
}

template <typename Map>
void Compare(const Map& before, const Map& after, const char* what, std::string& out) {
    for (const auto& [name, value] : before) {
        const auto found = after.find(name);
        if (found == after.end())
            out += std::string(what) + " gone: " + ToUtf8(name) + "\n";
        else if (found->second != value)
            out += std::string(what) + " changed: " + ToUtf8(name) + "\n";
    }
    for (const auto& [name, value] : after)
        if (!before.count(name)) out += std::string(what) + " new: " + ToUtf8(name) + "\n";
}

}  // namespace

MachineState MachineState::Capture(const std::vector<std::wstring>& folders, const std::vector<std::wstring>& keys) {
    MachineState state;
    for (const auto& folder : folders)
        if (DirectoryExists(folder)) CaptureFolder(ExcludeTrailingBackslash(folder), state);
    for (const auto& key : keys) CaptureKey(key, state);
    return state;
}

std::string Differences(const MachineState& before, const MachineState& after) {
    std::string out;
    Compare(before.files, after.files, "file", out);
    std::map<std::wstring, int> beforeFolders, afterFolders;
    for (const auto& folder : before.folders) beforeFolders[folder] = 0;
    for (const auto& folder : after.folders) afterFolders[folder] = 0;
    Compare(beforeFolders, afterFolders, "folder", out);
    Compare(before.registry, after.registry, "registry", out);
    return out;
}

}  // namespace orvelin::test
