#pragma once
// Sizing a window in pixels.
#include <windows.h>

namespace orvelin {

// Sizes the window so that its client area is width x height pixels.
void SetClientSize(HWND window, int width, int height);
// Takes `pixels` off the window's height (outer and client alike).
void ReduceHeight(HWND window, int pixels);

}  // namespace orvelin
