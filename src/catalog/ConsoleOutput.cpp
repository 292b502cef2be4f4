#include "catalog/ConsoleOutput.h"

#include "platform/Text.h"

namespace orvelin {

void WriteStandard(DWORD stdHandle, const std::wstring& text) {
    const HANDLE handle = GetStdHandle(stdHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = ToUtf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace orvelin
