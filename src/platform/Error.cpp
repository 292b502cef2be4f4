#include "platform/Error.h"

#include "platform/Handles.h"
#include "platform/Text.h"

namespace orvelin {

Error::Error(std::wstring text) : text_(std::move(text)), utf8_(ToUtf8(text_)) {}

std::wstring SystemErrorText(DWORD code) {
    UniqueLocalMemory buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(buffer.Put()), 0, nullptr);
    std::wstring text(length ? static_cast<const wchar_t*>(buffer.Get()) : L"", length);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
    return text;
}

std::wstring SystemErrorMessage(DWORD code) {
    if (code == 0) return L"A call to an OS function failed";
    return Substitute(L"System Error.  Code: %d.\r\n%s", {std::to_wstring(code), SystemErrorText(code)});
}

void RaiseLastOSError(DWORD code) { throw Error(SystemErrorMessage(code)); }

std::wstring ErrorText(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error)) return own->Text();
    return FromUtf8(error.what());
}

}  // namespace orvelin
