#pragma once
// Sizing a window in pixels at its DPI. Designs give their sizes in pixels at 96 DPI (100 %);
// a window shows them scaled to the DPI of the monitor it is on.
#include <windows.h>

namespace orvelin {

inline constexpr UINT kDesignDpi = USER_DEFAULT_SCREEN_DPI;

// The messages a per-monitor aware window gets when it moves to a monitor of another DPI
// (Windows 10 1703 and later).
inline constexpr UINT kDpiChangedMessage = 0x02E0;         // WM_DPICHANGED
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;   // WM_GETDPISCALEDSIZE

// The DPI the window is shown at: its monitor's where Windows knows it per window (10 and
// later), otherwise the system's.
UINT WindowDpi(HWND window);
// A length in pixels at 96 DPI, at `dpi`, rounded to the nearest pixel.
int ScaleToDpi(int pixels, UINT dpi);
// The outer size the window needs for a client area of `client` pixels at `dpi`.
SIZE WindowSizeForClient(HWND window, SIZE client, UINT dpi);
// Sizes the window, where it is, so that its client area is `client` pixels.
void SetClientSize(HWND window, SIZE client);

}  // namespace orvelin
