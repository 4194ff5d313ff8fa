// Conversions between the controls' units and Qt's: twips and pixels, the
// controls' colours (fixed or system) and fonts, and their UTF-8 strings.
#pragma once

#include "ui/controls.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

namespace ui
{

// Twips per logical pixel; Qt's high-DPI scaling takes it from there.
inline constexpr float twipsPerPixel = 15.0f;

int toPixels(float twips);
float toTwips(qreal pixels);
QString toQString(const std::string &s);
// A system colour is looked up in the palette: Highlight for the background
// of selected items, HighlightedText for their text, Button for button faces.
QColor toQColor(Color c, const QPalette &palette);
// An empty font name means the application's default font.
QFont toQFont(const Font &font);

} // namespace ui
