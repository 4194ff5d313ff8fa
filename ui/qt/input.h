// Qt's input turned into the controls' events: the mouse moving over a
// control, and character keys typed on one.
#pragma once

#include "ui/controls.h"

#include <QObject>

class QEvent;

namespace ui
{

// Raises the control's event for a Qt event it has a handler for; other
// events pass untouched. Qt goes on delivering the event either way.
void raiseInput(Control &control, const QEvent &event);

// Alt and a button's access key while a screen reader listens. Qt's bridge
// then holds every key event back until the reader has had it, and posts it
// again, while the access key itself is handled at once: the Alt press comes
// after the button was pressed, and the menu bar takes it for an Alt of its
// own and opens its keyboard mode, taking the focus from the button. Once an
// access key has pressed a button, the chord's Alt events posted late are
// dropped.
class AccessKeyChord : public QObject
{
public:
    AccessKeyChord();
    // An access key has pressed a button.
    void pressed() { pressed_ = true; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool pressed_ = false;
};

} // namespace ui
