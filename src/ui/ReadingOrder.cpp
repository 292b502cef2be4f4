#include "ui/ReadingOrder.h"

#include <vector>

namespace orvelin {

ReadingOrder ReadingOrderOf(const std::wstring& text) {
    if (text.empty()) return ReadingOrder::LeftToRight;
    std::vector<WORD> types(text.size());
    if (!GetStringTypeW(CT_CTYPE2, text.data(), static_cast<int>(text.size()), types.data()))
        return ReadingOrder::LeftToRight;
    for (const WORD type : types) {
        if (type == C2_RIGHTTOLEFT) return ReadingOrder::RightToLeft;
        if (type == C2_LEFTTORIGHT) return ReadingOrder::LeftToRight;
    }
    return ReadingOrder::LeftToRight;
}

void SetReadingOrder(HWND control, ReadingOrder order) {
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
    // The mirroring alone says it: the reading-order flags would reverse a mirrored control again.
    exStyle &= ~(WS_EX_LAYOUTRTL | WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR);
    if (order == ReadingOrder::RightToLeft) exStyle |= WS_EX_LAYOUTRTL;
    SetWindowLongPtrW(control, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace orvelin
