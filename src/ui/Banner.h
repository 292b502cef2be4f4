#pragma once
// The maker's banner across the top of both windows, drawn to fit the control it fills, with
// its lettering at the control's DPI so that it is as sharp at 200 % as at 100 %.
#include <windows.h>

namespace orvelin {

void DrawBanner(const DRAWITEMSTRUCT& item);

}  // namespace orvelin
