// Qt's input turned into the controls' events: the mouse moving over a
// control, and character keys typed on one.
#pragma once

#include "ui/controls.h"

class QEvent;

namespace ui
{

// Raises the control's event for a Qt event it has a handler for; other
// events pass untouched. Qt goes on delivering the event either way.
void raiseInput(Control &control, const QEvent &event);

} // namespace ui
