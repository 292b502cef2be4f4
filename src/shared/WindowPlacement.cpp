#include "shared/WindowPlacement.h"

#include "shared/ToggleLanguage.h"

namespace orvelin {

HWND CreateMainDialog(int dialogId, DLGPROC procedure, void* owner) {
    HINSTANCE source = ResourceInstance();
    if (!FindResourceW(source, MAKEINTRESOURCEW(dialogId), RT_DIALOG))
        source = GetModuleHandleW(nullptr);
    return CreateDialogParamW(source, MAKEINTRESOURCEW(dialogId), nullptr, procedure,
                              reinterpret_cast<LPARAM>(owner));
}

void SetClientSize(HWND window, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReduceHeight(HWND window, int pixels) {
    RECT outer;
    GetWindowRect(window, &outer);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top - pixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orvelin
