#pragma once
// The maker's banner across the top of both windows, drawn to fit the control it fills.
#include <windows.h>

namespace orvelin {

void DrawBanner(const DRAWITEMSTRUCT& item);

}  // namespace orvelin
