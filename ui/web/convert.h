// The controls' values in the page's terms: twips as CSS pixels, colours as
// CSS colours, fonts as CSS fonts, pictures as image files.
#pragma once

#include "ui/controls.h"

#include <string>

namespace ui
{

// 15 twips to a CSS pixel, whatever the device's pixel ratio; fractions kept.
double toCssPixels(float twips);

// "#rrggbb" for a fixed colour; for a system colour the CSS variable of its
// role ("var(--highlight)"), which schemeStyleSheet() defines.
std::string toCssColor(Color colour);

// The page's system colours as CSS variables: the Windows default scheme's
// colours, or in forced-colours mode the CSS system colours of the same
// roles. The stylesheet's frames, menus and message box paint with them too.
std::string schemeStyleSheet();

// A CSS font shorthand: the size in points, the weight and the family with
// look-alikes after it for systems that lack it. An empty name is the
// system font at the size of dialog text.
std::string toCssFont(const Font &font);

// The image files drawn for a picture at 1, 2 and 3 device pixels per CSS
// pixel, as an <img> srcset; `side` is the picture's CSS size.
std::string pictureSource(const std::string &picture, int side);
std::string pictureSourceSet(const std::string &picture, int side);

} // namespace ui
