// Mouse moves and key presses from Qt's events into the controls' terms:
// button and shift states as bit masks, positions in twips, keys as codes.
#include "input.h"

#include "convert.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace ui
{

namespace
{

void mouseMove(Control &control, const QMouseEvent &event)
{
    const Qt::MouseButtons b = event.buttons();
    const Qt::KeyboardModifiers m = event.modifiers();
    const Int16 button = Int16((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                               (b & Qt::MiddleButton ? 4 : 0));
    const Int16 shift = Int16((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                              (m & Qt::AltModifier ? 4 : 0));
    control.fireMouseMove(button, shift, toTwips(event.position().x()),
                          toTwips(event.position().y()));
}

void keyPress(Control &control, const QKeyEvent &event)
{
    // Character keys only; Alt and Ctrl chords belong to access keys and
    // shortcuts, and Tab and Shift+Tab to the window's focus navigation,
    // though Qt gives Tab the character 9. The button still sees the key,
    // so Space also clicks it.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return;
    const QString text = event.text();
    if (!text.isEmpty() && !(event.modifiers() & (Qt::AltModifier | Qt::ControlModifier)) &&
        text.at(0).unicode() < 256)
        control.fireKeyPress(Int16(text.at(0).unicode()));
}

} // namespace

void raiseInput(Control &control, const QEvent &event)
{
    if (event.type() == QEvent::MouseMove && control.onMouseMove)
        mouseMove(control, static_cast<const QMouseEvent &>(event));
    else if (event.type() == QEvent::KeyPress && control.onKeyPress)
        keyPress(control, static_cast<const QKeyEvent &>(event));
}

} // namespace ui
