#include "shared/Error.h"

#include "shared/FileSystem.h"
#include "shared/TextUtil.h"

namespace orvelin {

Error::Error(std::wstring text) : text_(std::move(text)), utf8_(ToUtf8(text_)) {}

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
            FORMAT_MESSAGE_ARGUMENT_ARRAY,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return text;
}

std::wstring SystemErrorMessage(DWORD code) {
    if (code == 0) return L"A call to an OS function failed";
    return Substitute(L"System Error.  Code: %d.\r\n%s", {std::to_wstring(code), SystemErrorText(code)});
}

void RaiseLastOSError(DWORD code) { throw Error(SystemErrorMessage(code)); }

std::wstring ErrorBoxText(const std::wstring& text) {
    if (!text.empty() && text.back() > L'.') return text + L".";
    return text;
}

std::wstring ApplicationTitle() { return ChangeFileExt(ExtractFileName(ModuleFilePath()), L""); }

std::wstring ErrorText(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error)) return own->Text();
    return FromUtf8(error.what());
}

void ShowErrorBox(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, ErrorBoxText(text).c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace orvelin
