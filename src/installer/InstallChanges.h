#pragma once
// Every change an install makes to the machine goes through here: folders made, files copied
// or written, shortcuts saved, registry values set. Each one is written to the run's log as it
// happens.
#include <objidl.h>

#include <string>
#include <vector>

#include "foundation/RunLog.h"
#include "platform/Registry.h"
#include "ui/RunView.h"

namespace orvelin {

// The notice of a failed copy: the two texts separated by a line feed and a carriage return,
// in that order.
std::wstring CopyFailureNotice(const std::wstring& first, const std::wstring& second);

class InstallChanges {
public:
    InstallChanges(RunView& view, RunLog& log) : view_(view), log_(log) {}

    RunLog& Log() noexcept { return log_; }

    // The folder and its missing parents; false when it does not exist afterwards.
    bool CreateFolders(const std::wstring& folder);
    // CopyFileW replacing what is there. On failure shows failureNotice in a plain box, then
    // throws "Error executing copyFile %s" with the system's message for the copy's error code.
    void CopyReplacing(const std::wstring& source, const std::wstring& destination, const std::wstring& failureNotice);
    void WriteInstalledFileList(const std::wstring& path, const std::vector<std::wstring>& files);
    // Saves the shell link at the path; answers the shell's result.
    HRESULT SaveShortcut(IPersistFile& link, const std::wstring& path);
    // The key under HKEY_LOCAL_MACHINE, made when missing, and its values.
    RegistryKey CreateMachineKey(const std::wstring& path);
    void WriteString(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& value);
    void WriteDword(const RegistryKey& key, const std::wstring& keyPath, const std::wstring& name, DWORD value);

private:
    RunView& view_;
    RunLog& log_;
};

}  // namespace orvelin
