// Twips and pixels at a given resolution.
#include "units.h"

#include <cmath>

namespace ui
{

int toPixels(float twips, int dpi)
{
    return static_cast<int>(std::lround(double(twips) * dpi / twipsPerInch));
}

float toTwips(double pixels, int dpi)
{
    return static_cast<float>(pixels * twipsPerInch / dpi);
}

} // namespace ui
