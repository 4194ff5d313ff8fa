// Conversions between the controls' terms and the Windows API's: UTF-8 text
// and UTF-16, the controls' colours (fixed or system) as COLORREFs, and
// their fonts at a window's DPI.
#pragma once

#include "ui/controls.h"

#include <string>
#include <windows.h>

namespace ui
{

std::wstring toWide(const std::string &utf8);

// A fixed &H00BBGGRR& is a COLORREF already; system colour nn is
// GetSysColor(nn), the same numbering.
COLORREF toColorRef(Color c);

// A new font for the control's font at `dpi`; the caller deletes it. An
// empty name is the system's message font, the desktop's dialog font.
HFONT createFont(const Font &font, int dpi);

} // namespace ui
