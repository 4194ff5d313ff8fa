// CSS values from the controls' properties.
#include "convert.h"

#include "ui/accessible.h"
#include "ui/units.h"

#include <cstdio>

namespace ui
{

double toCssPixels(float twips)
{
    return double(twips) * standardDpi / twipsPerInch;
}

std::string toCssColor(Color colour)
{
    if (isSystemColor(colour)) {
        // The Windows numbers of the colour scheme and the CSS system colour
        // of the same role; the rest of the scheme reads as the window's.
        switch (systemColorIndex(colour)) {
        case 0x0D:
            return "Highlight";
        case 0x0E:
            return "HighlightText";
        case 0x0F:
            return "ButtonFace";
        case 0x11:
            return "GrayText";
        case 0x12:
            return "ButtonText";
        case 0x08:
            return "CanvasText";
        default:
            return "Canvas";
        }
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(colour), greenOf(colour),
                  blueOf(colour));
    return text;
}

std::string toCssFont(const Font &font)
{
    // The page has no dialog font of its own: the system's font, at the
    // size desktops give their dialogs.
    if (font.name.empty())
        return "9pt system-ui, sans-serif";
    // Look-alikes with the same metrics come first where the named family
    // is missing, as on a Linux or phone system.
    std::string family = '"' + font.name + '"';
    if (font.name == "Arial")
        family += ", \"Liberation Sans\", Arimo, Helvetica, sans-serif";
    else if (font.name == "Comic Sans MS")
        family += ", \"Comic Neue\", \"Comic Sans\", cursive";
    else
        family += ", sans-serif";
    char text[64];
    std::snprintf(text, sizeof text, "%d %gpt ", int(font.weight), double(font.size));
    return text + family;
}

std::string pictureSource(const std::string &picture, int side)
{
    return pictureName(picture) + '-' + std::to_string(side) + ".png";
}

std::string pictureSourceSet(const std::string &picture, int side)
{
    std::string set;
    for (int ratio = 1; ratio <= 3; ++ratio)
        set += (ratio > 1 ? ", " : "") + pictureSource(picture, side * ratio) + ' ' +
               std::to_string(ratio) + 'x';
    return set;
}

} // namespace ui
