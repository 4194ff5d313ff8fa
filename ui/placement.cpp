// Controls placed by their edges: twips counted from the window's origin,
// each edge rounded once.
#include "placement.h"

#include "units.h"

namespace ui
{

namespace
{

// A box in twips from the window's origin.
struct TwipRect {
    double left = 0, top = 0, right = 0, bottom = 0;
};

double borderOf(const Control &control)
{
    return control.kind() == Kind::PictureBox ? pictureBoxBorder : 0;
}

TwipRect outerTwips(const Control &control);

TwipRect insideTwips(const Control &container)
{
    if (container.kind() == Kind::Form)
        return {0, 0, container.width(), container.height()};
    const TwipRect outer = outerTwips(container);
    const double border = borderOf(container);
    return {outer.left + border, outer.top + border, outer.right - border, outer.bottom - border};
}

TwipRect outerTwips(const Control &control)
{
    if (control.kind() == Kind::Form)
        return insideTwips(control);
    const TwipRect origin = insideTwips(*control.container());
    const double left = origin.left + control.left(), top = origin.top + control.top();
    return {left, top, left + control.width(), top + control.height()};
}

PixelRect toPixelRect(const TwipRect &r, int dpi)
{
    const auto px = [dpi](double twips) { return toPixels(float(twips), dpi); };
    return {px(r.left), px(r.top), px(r.right), px(r.bottom)};
}

} // namespace

PixelRect outerPixels(const Control &control, int dpi)
{
    return toPixelRect(outerTwips(control), dpi);
}

PixelRect insidePixels(const Control &container, int dpi)
{
    return toPixelRect(insideTwips(container), dpi);
}

PixelRect placedPixels(const Control &control, int dpi)
{
    const PixelRect box = outerPixels(control, dpi);
    if (control.kind() == Kind::Form)
        return box;
    const PixelRect origin = insidePixels(*control.container(), dpi);
    return {box.left - origin.left, box.top - origin.top, box.right - origin.left,
            box.bottom - origin.top};
}

PixelRect borderPixels(const Control &control, int dpi)
{
    const PixelRect box = outerPixels(control, dpi);
    const PixelRect inside = control.kind() == Kind::Form ? box : insidePixels(control, dpi);
    return {inside.left - box.left, inside.top - box.top, box.right - inside.right,
            box.bottom - inside.bottom};
}

} // namespace ui
