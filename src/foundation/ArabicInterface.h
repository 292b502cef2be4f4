#pragma once
// What makes a program Arabic: the Arabic resource module beside the program file, the Arabic
// keyboard in right-to-left controls and right-to-left windows. All of it is undone on release.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Handles.h"

namespace orvelin {

class ArabicInterface {
public:
    // programPath: the program file whose Arabic resource module is looked for beside it.
    explicit ArabicInterface(const std::wstring& programPath);
    ~ArabicInterface();
    ArabicInterface(const ArabicInterface&) = delete;
    ArabicInterface& operator=(const ArabicInterface&) = delete;

    // The loaded Arabic resource module, or null when none was found.
    HMODULE ResourceModule() const noexcept { return resourceModule_.Get(); }

private:
    UniqueModule resourceModule_;
    UniqueHook keyboardHook_;
    DWORD previousLayout_ = 0;
};

// The file names tried for the Arabic resource module, in order: the program's extension
// replaced by the abbreviated name of Arabic (Saudi Arabia), then by its first two letters.
// None when the program file has no extension.
std::vector<std::wstring> ArabicResourceCandidates(const std::wstring& programPath);

// A control gets the Arabic keyboard when focus enters it and it reads right-to-left.
bool ReadsRightToLeft(HWND window);

}  // namespace orvelin
