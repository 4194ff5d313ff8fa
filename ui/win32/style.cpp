// Graphical buttons, drawn by the program (BS_OWNERDRAW): Windows's own push
// button would paint a themed face, and the face must be exactly the colour
// the game wrote.
#include "style.h"

#include "convert.h"

#include "ui/units.h"

#include <algorithm>

namespace ui
{

namespace
{

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    // ExtTextOut with an opaque rectangle fills without making a brush.
    const RECT r{left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A ring `w` pixels wide just inside `r`: `topLeft` along the top and left
// edges, `bottomRight` along the bottom and right ones.
void ring(HDC dc, const RECT &r, int w, COLORREF topLeft, COLORREF bottomRight)
{
    fill(dc, r.left, r.top, r.right - w, r.top + w, topLeft);
    fill(dc, r.left, r.top, r.left + w, r.bottom - w, topLeft);
    fill(dc, r.left, r.bottom - w, r.right, r.bottom, bottomRight);
    fill(dc, r.right - w, r.top, r.right, r.bottom, bottomRight);
}

} // namespace

void drawGraphicalButton(const DRAWITEMSTRUCT &item, const CommandButton &button, HFONT font,
                         int dpi)
{
    // One pixel at 96 dpi: 15 twips.
    const int line = std::max(toPixels(15, dpi), 1);
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const COLORREF face = toColorRef(button.backColor());
    fill(dc, r.left, r.top, r.right, r.bottom, face);

    // Two rings: light and darkest shadow outside, the face and shadow
    // inside; pressed, the light and dark sides change places.
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF darkest = GetSysColor(COLOR_3DDKSHADOW);
    RECT inner = r;
    InflateRect(&inner, -line, -line);
    if (pressed) {
        ring(dc, r, line, darkest, light);
        ring(dc, inner, line, shadow, face);
    } else {
        ring(dc, r, line, light, darkest);
        ring(dc, inner, line, face, shadow);
    }

    // The caption, a line down and right while pressed. A button that
    // takes no input, itself or through its container, greys it.
    RECT text = r;
    if (pressed)
        OffsetRect(&text, line, line);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, button.takesInput() ? toColorRef(button.foreColor())
                                         : GetSysColor(COLOR_GRAYTEXT));
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const std::wstring caption = toWide(button.caption());
    DrawTextW(dc, caption.c_str(), int(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);

    // Windows leaves out the focus mark until the keyboard has been used in
    // the window; the button's UI state says so (not every version of the
    // button class passes it on as ODS_NOFOCUSRECT). The mark lies a line
    // inside the bevel and is a line wide.
    const bool markHidden = (item.itemState & ODS_NOFOCUSRECT) ||
                            (SendMessageW(item.hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    if ((item.itemState & ODS_FOCUS) && !markHidden) {
        RECT mark = r;
        InflateRect(&mark, -3 * line, -3 * line);
        SetTextColor(dc, toColorRef(button.foreColor()));
        for (int i = 0; i < line; ++i, InflateRect(&mark, -1, -1))
            DrawFocusRect(dc, &mark);
    }
}

} // namespace ui
