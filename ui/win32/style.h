// How a graphical button looks: its face flat in its own colour in every
// state, a classic bevel raised or pressed in, the caption centred with its
// access key underlined, and a focus mark after keyboard use.
#pragma once

#include "ui/controls.h"

#include <windows.h>

namespace ui
{

// Paints an owner-drawn button for WM_DRAWITEM in `font`; the bevel and the
// focus mark are as wide as a pixel at 96 `dpi` is at that one.
void drawGraphicalButton(const DRAWITEMSTRUCT &item, const CommandButton &button, HFONT font,
                         int dpi);

} // namespace ui
