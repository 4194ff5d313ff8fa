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

namespace
{

// The Windows default colour scheme the game was designed on, by the numbers
// of its system colours: the CSS variable each paints through, its colour,
// and the CSS system colour of the same role, which a player's forced
// colours (a high-contrast scheme) fill instead. A browser does not tell a
// page the desktop's scheme: its own CSS system colours are its defaults,
// and they leave the game's texts unreadable on its blue. The one change:
// the scheme's #0078d7 gives its white text 4.499:1, just under the 4.5:1
// that text of the status line's size needs; #0078d4 gives 4.53:1.
struct SchemeColour {
    int index;
    const char *variable;
    const char *colour;
    const char *forced;
};

constexpr SchemeColour scheme[] = {
    {0x05, "--window", "#ffffff", "Canvas"},
    {0x08, "--window-text", "#000000", "CanvasText"},
    {0x0D, "--highlight", "#0078d4", "Highlight"},
    {0x0E, "--highlight-text", "#ffffff", "HighlightText"},
    {0x0F, "--button-face", "#f0f0f0", "ButtonFace"},
    {0x10, "--button-shadow", "#a0a0a0", "ButtonText"},
    {0x11, "--gray-text", "#6d6d6d", "GrayText"},
    {0x12, "--button-text", "#000000", "ButtonText"},
    {0x14, "--button-highlight", "#ffffff", "ButtonText"},
    {0x15, "--button-dark-shadow", "#696969", "ButtonText"},
    {0x16, "--button-light", "#e3e3e3", "ButtonFace"},
};

} // namespace

std::string toCssColor(Color colour)
{
    if (isSystemColor(colour)) {
        // A colour the scheme lacks reads as the window's.
        const int index = systemColorIndex(colour);
        for (const SchemeColour &c : scheme)
            if (c.index == index)
                return std::string("var(") + c.variable + ')';
        return "var(--window)";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(colour), greenOf(colour),
                  blueOf(colour));
    return text;
}

std::string schemeStyleSheet()
{
    std::string sheet = ":root{";
    for (const SchemeColour &c : scheme)
        sheet += std::string(c.variable) + ':' + c.colour + ';';
    sheet += "}@media (forced-colors:active){:root{";
    for (const SchemeColour &c : scheme)
        sheet += std::string(c.variable) + ':' + c.forced + ';';
    return sheet + "}}";
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
