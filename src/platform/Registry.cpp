#include "platform/Registry.h"

#include <shlwapi.h>

#include <vector>

#include "platform/Error.h"
#include "platform/Text.h"

namespace orvelin {

std::wstring RelativeKeyPath(const std::wstring& path) {
    return !path.empty() && path.front() == L'\\' ? path.substr(1) : path;
}

std::optional<RegistryKey> RegistryKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, RelativeKeyPath(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return std::nullopt;
    return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, RelativeKeyPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        throw Error(Substitute(L"Failed to create key %s", {path}));
    return RegistryKey(key);
}

std::optional<std::wstring> RegistryKey::ReadString(const std::wstring& name) const {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw Error(Substitute(L"Invalid data type for '%s'", {name}));
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

void RegistryKey::WriteString(const std::wstring& name, const std::wstring& value) const {
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) !=
        ERROR_SUCCESS)
        throw Error(Substitute(L"Failed to set data for '%s'", {name}));
}

void RegistryKey::WriteDword(const std::wstring& name, DWORD value) const {
    if (RegSetValueExW(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) !=
        ERROR_SUCCESS)
        throw Error(Substitute(L"Failed to set data for '%s'", {name}));
}

bool RegistryKeyExists(HKEY root, const std::wstring& path, REGSAM access) {
    return RegistryKey::Open(root, path, access).has_value();
}

std::wstring ReadLocalMachineString(const std::wstring& keyPath, const std::wstring& valueName) {
    const auto key = RegistryKey::Open(HKEY_LOCAL_MACHINE, keyPath, KEY_READ | KEY_WOW64_64KEY);
    if (!key) return {};
    return key->ReadString(valueName).value_or(L"");
}

void DeleteRegistryTree(HKEY root, const std::wstring& keyPath) {
    const std::wstring relative = RelativeKeyPath(keyPath);
    if (relative.empty()) return;
    if (!RegistryKeyExists(root, relative, KEY_READ | KEY_WRITE)) return;
    SHDeleteKeyW(root, relative.c_str());
}

}  // namespace orvelin
