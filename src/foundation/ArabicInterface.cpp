#include "foundation/ArabicInterface.h"

#include "foundation/InterfaceLanguage.h"
#include "platform/Error.h"
#include "platform/Paths.h"

namespace orvelin {

namespace {

constexpr LCID ArabicSaudiArabia = 1025;
constexpr const wchar_t* ArabicKeyboardLayout = L"00000401";

// Thread-local CBT hook: sees every focus change of the program's (only) thread.
LRESULT CALLBACK SwitchKeyboardOnFocus(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (window && ReadsRightToLeft(window) && GetSystemMetrics(SM_MIDEASTENABLED))
            LoadKeyboardLayoutW(ArabicKeyboardLayout, KLF_ACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool HasExtension(const std::wstring& path) {
    const std::wstring name = ExtractFileName(path);
    return name.find(L'.') != std::wstring::npos;
}

UniqueModule LoadArabicResourceModule(const std::wstring& programPath) {
    for (const auto& candidate : ArabicResourceCandidates(programPath)) {
        UniqueModule module(LoadLibraryExW(candidate.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (module) return module;
    }
    return {};
}

}  // namespace

std::vector<std::wstring> ArabicResourceCandidates(const std::wstring& programPath) {
    // Whatever Arabic locale the user has, the module is named after Arabic (Saudi Arabia).
    const std::wstring abbreviation = GetLocaleText(ArabicSaudiArabia, LOCALE_SABBREVLANGNAME);
    if (!HasExtension(programPath) || abbreviation.empty()) return {};
    return {ChangeFileExt(programPath, L"." + abbreviation), ChangeFileExt(programPath, L"." + abbreviation.substr(0, 2))};
}

bool ReadsRightToLeft(HWND window) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    return (exStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
}

ArabicInterface::ArabicInterface(const std::wstring& programPath)
    : resourceModule_(LoadArabicResourceModule(programPath)) {
    keyboardHook_.Reset(SetWindowsHookExW(WH_CBT, SwitchKeyboardOnFocus, nullptr, GetCurrentThreadId()));
    if (!keyboardHook_) RaiseLastOSError();
    if (!GetProcessDefaultLayout(&previousLayout_)) previousLayout_ = 0;
    if (!SetProcessDefaultLayout(LAYOUT_RTL)) RaiseLastOSError();
}

ArabicInterface::~ArabicInterface() { SetProcessDefaultLayout(previousLayout_); }

}  // namespace orvelin
