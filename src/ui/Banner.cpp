#include "ui/Banner.h"

#include "platform/Handles.h"
#include "ui/WindowLayout.h"

namespace orvelin {

namespace {

// Sizes in pixels at 96 DPI.
constexpr int kTitleHeight = 26;
constexpr int kSubtitleHeight = 11;
constexpr int kTextIndent = 16;
constexpr int kLineGap = 2;

UniqueGdiObject BannerFont(int height, int weight) {
    return UniqueGdiObject(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                       L"Tahoma"));
}

// A horizontal gradient from deep to light blue (gdi32's own; no msimg32 needed).
void FillGradient(HDC dc, const RECT& r) {
    TRIVERTEX corners[2] = {{r.left, r.top, 0x0A00, 0x2A00, 0x5C00, 0}, {r.right, r.bottom, 0x1E00, 0x6E00, 0xB400, 0}};
    GRADIENT_RECT span{0, 1};
    GdiGradientFill(dc, corners, 2, &span, 1, GRADIENT_FILL_RECT_H);
}

}  // namespace

void DrawBanner(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const HDC dc = item.hDC;
    const UINT dpi = WindowDpi(item.hwndItem);
    FillGradient(dc, r);

    const UniqueGdiObject title = BannerFont(ScaleToDpi(kTitleHeight, dpi), FW_BOLD);
    const UniqueGdiObject subtitle = BannerFont(ScaleToDpi(kSubtitleHeight, dpi), FW_NORMAL);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT text = r;
    text.left += ScaleToDpi(kTextIndent, dpi);
    text.bottom = r.top + (r.bottom - r.top) * 2 / 3;
    const HGDIOBJ previous = SelectObject(dc, title.Get());
    DrawTextW(dc, L"ORVELIN", -1, &text, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
    SelectObject(dc, subtitle.Get());
    SetTextColor(dc, RGB(0xC8, 0xDC, 0xF0));
    text.top = text.bottom + ScaleToDpi(kLineGap, dpi);
    text.bottom = r.bottom;
    DrawTextW(dc, L"ORVELIN EST KSA", -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    SelectObject(dc, previous);
}

}  // namespace orvelin
