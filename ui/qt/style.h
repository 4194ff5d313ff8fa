// The style every widget is drawn in: Fusion, with its standard icons read
// only when first drawn, and graphical buttons painted flat in their own
// colour inside a classic 3D bevel.
#pragma once

class QPushButton;
class QStyle;

namespace ui
{

// A new style for QApplication::setStyle, which takes ownership. Set it
// before the first widget exists: one style, made once.
QStyle *createStyle();

// A graphical button paints its whole face in its palette's Button colour,
// whatever its state; any other button keeps Fusion's look.
void setGraphical(QPushButton *button, bool graphical);

} // namespace ui
