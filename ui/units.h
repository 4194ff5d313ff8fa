// Twips and pixels: a twip is 1/1440 inch, so a pixel at `dpi` dots per inch
// is 1440 / dpi twips (15 at the standard 96, 10 at 144). Both backends
// convert here, rounding as the Windows API's MulDiv does.
#pragma once

namespace ui
{

inline constexpr int twipsPerInch = 1440;
inline constexpr int standardDpi = 96;

// Nearest whole pixel, halves away from zero.
int toPixels(float twips, int dpi = standardDpi);
float toTwips(double pixels, int dpi = standardDpi);

} // namespace ui
