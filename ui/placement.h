// Where a control lands in whole pixels at a resolution. Every edge is
// rounded on its own from the window's origin, so that controls that meet in
// twips meet in pixels and a container's inside holds in pixels exactly what
// it holds in twips.
#pragma once

#include "controls.h"

namespace ui
{

// The picture box's sunken border on each side, in twips: 2 pixels at 96 dpi.
inline constexpr float pictureBoxBorder = 30;

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// The control's box in the window's client pixels at `dpi`.
PixelRect outerPixels(const Control &control, int dpi);

// The inside of a container (the window's client area, or a picture box
// within its border) in the window's client pixels at `dpi`.
PixelRect insidePixels(const Control &container, int dpi);

// The control's box counted from its container's inside, as a child window
// is placed.
PixelRect placedPixels(const Control &control, int dpi);

// The width of each side of the control's border at `dpi`: the inside's
// edges less the box's, which may differ by a pixel from side to side.
PixelRect borderPixels(const Control &control, int dpi);

} // namespace ui
