#include "ui/Banner.h"

#include "platform/Handles.h"

namespace orvelin {

void DrawBanner(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const HDC dc = item.hDC;
    TRIVERTEX corners[2] = {{r.left, r.top, 0x0A00, 0x2A00, 0x5C00, 0},
                            {r.right, r.bottom, 0x1E00, 0x6E00, 0xB400, 0}};
    GRADIENT_RECT span{0, 1};
    GradientFill(dc, corners, 2, &span, 1, GRADIENT_FILL_RECT_H);

    UniqueGdiObject title(CreateFontW(-26, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    UniqueGdiObject subtitle(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                         L"Tahoma"));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT text = r;
    text.left += 16;
    text.bottom = r.top + (r.bottom - r.top) * 2 / 3;
    const HGDIOBJ previous = SelectObject(dc, title.Get());
    DrawTextW(dc, L"ORVELIN", -1, &text, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    SelectObject(dc, subtitle.Get());
    SetTextColor(dc, RGB(0xC8, 0xDC, 0xF0));
    text.top = text.bottom + 2;
    text.bottom = r.bottom;
    DrawTextW(dc, L"ORVELIN EST KSA", -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    SelectObject(dc, previous);
}

}  // namespace orvelin
