#include "installer/FileCopy.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Text.h"

namespace orvelin {

void CopyFileReplacing(RunView& view, const std::wstring& source, const std::wstring& destination,
                       const std::wstring& failureNotice) {
    if (CopyFileW(source.c_str(), destination.c_str(), FALSE)) return;
    // Taken before the box, which may change the thread's last error.
    const DWORD code = GetLastError();
    view.ShowMessage(failureNotice);
    throw Error(Substitute(L"Error executing copyFile %s", {SystemErrorMessage(code)}));
}

std::wstring CopyFailureNotice(const std::wstring& first, const std::wstring& second) {
    return first + L"\n\r" + second;
}

}  // namespace orvelin
