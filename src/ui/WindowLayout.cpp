#include "ui/WindowLayout.h"

#include "platform/Handles.h"

namespace orvelin {

namespace {

// Functions of Windows 10 (1607 and later), looked up where they run: the programs start on
// Vista too, where a static import of them would keep them from loading.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <class Function>
Function User32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

UINT WindowDpi(HWND window) {
    if (const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow"))
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    const WindowDc dc(window);
    const int dpi = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

int ScaleToDpi(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kDesignDpi); }

SIZE WindowSizeForClient(HWND window, SIZE client, UINT dpi) {
    RECT frame{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    // The frame at the window's own DPI, which may differ from the system's.
    if (const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi"))
        adjustForDpi(&frame, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void SetClientSize(HWND window, SIZE client) {
    const SIZE outer = WindowSizeForClient(window, client, WindowDpi(window));
    SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orvelin
