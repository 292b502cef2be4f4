#pragma once
// Registry keys with the errors the programs report.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/Handles.h"

namespace orvelin {

// Key paths may be written with a leading backslash; the registry wants them relative.
std::wstring RelativeKeyPath(const std::wstring& path);

class RegistryKey {
public:
    // Opens an existing key; empty when it is missing or cannot be opened with that access.
    static std::optional<RegistryKey> Open(HKEY root, const std::wstring& path, REGSAM access);
    // Opens the key, creating it and its missing parents. Throws "Failed to create key %s".
    static RegistryKey Create(HKEY root, const std::wstring& path, REGSAM access);

    // The value as text; empty when it is missing. Throws "Invalid data type for '%s'"
    // when the value is not of a text type.
    std::optional<std::wstring> ReadString(const std::wstring& name) const;
    // A REG_SZ value. Throws "Failed to set data for '%s'".
    void WriteString(const std::wstring& name, const std::wstring& value) const;
    // A REG_DWORD value. Throws "Failed to set data for '%s'".
    void WriteDword(const std::wstring& name, DWORD value) const;

    HKEY Handle() const noexcept { return key_.Get(); }

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    UniqueRegKey key_;
};

bool RegistryKeyExists(HKEY root, const std::wstring& path, REGSAM access);

// A text value under HKEY_LOCAL_MACHINE in the 64-bit view; empty when the key or value is
// missing. Throws "Invalid data type for '%s'" when the value is not text.
std::wstring ReadLocalMachineString(const std::wstring& keyPath, const std::wstring& valueName);

// Deletes the key under the root with all its sub-keys when it exists and may be opened for
// reading and writing; a key that cannot be deleted stays, silently. An empty path names the
// root itself, which is never deleted.
void DeleteRegistryTree(HKEY root, const std::wstring& keyPath);

}  // namespace orvelin
