// Conversions between the controls' terms and Qt's: the controls' colours
// (fixed or system) and fonts, and their UTF-8 strings. Twips become Qt's
// logical pixels at the standard 96 DPI (ui/units.h); Qt's high-DPI scaling
// takes it from there.
#pragma once

#include "ui/controls.h"
#include "ui/units.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

namespace ui
{

QString toQString(const std::string &s);
// A system colour is looked up in the palette: Highlight for the background
// of selected items, HighlightedText for their text, Button for button faces.
QColor toQColor(Color c, const QPalette &palette);
// An empty font name means the application's default font.
QFont toQFont(const Font &font);

} // namespace ui
