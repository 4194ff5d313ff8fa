// The style every widget is drawn in: Fusion, with its standard icons read
// only when first drawn.
#pragma once

class QStyle;

namespace ui
{

// A new style for QApplication::setStyle, which takes ownership. Set it
// before the first widget exists: one style, made once.
QStyle *createStyle();

} // namespace ui
