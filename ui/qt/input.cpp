// Mouse moves and key presses from Qt's events into the controls' terms:
// button and shift states as bit masks, positions in twips, keys as codes.
#include "input.h"

#include "ui/input.h"
#include "ui/units.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui
{

namespace
{

Modifiers modifiersOf(Qt::KeyboardModifiers m)
{
    return {(m & Qt::ShiftModifier) != 0, (m & Qt::ControlModifier) != 0,
            (m & Qt::AltModifier) != 0};
}

void mouseMove(Control &control, const QMouseEvent &event)
{
    const Qt::MouseButtons b = event.buttons();
    raiseMouseMove(
        control,
        {(b & Qt::LeftButton) != 0, (b & Qt::RightButton) != 0, (b & Qt::MiddleButton) != 0},
        modifiersOf(event.modifiers()), event.position().x(), event.position().y(), standardDpi);
}

void keyPress(Control &control, const QKeyEvent &event)
{
    // Qt gives Shift+Tab its own key; the character rules take Tab as 9. The
    // button still sees the key, so Space also clicks it.
    if (event.key() == Qt::Key_Backtab)
        return;
    const QString text = event.text();
    if (!text.isEmpty())
        raiseCharacter(control, text.at(0).unicode(), modifiersOf(event.modifiers()));
}

} // namespace

void raiseInput(Control &control, const QEvent &event)
{
    if (event.type() == QEvent::MouseMove && control.onMouseMove)
        mouseMove(control, static_cast<const QMouseEvent &>(event));
    else if (event.type() == QEvent::KeyPress && control.onKeyPress)
        keyPress(control, static_cast<const QKeyEvent &>(event));
}

AccessKeyChord::AccessKeyChord()
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool AccessKeyChord::eventFilter(QObject *, QEvent *event)
{
    if (!pressed_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    const bool alt = static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Alt;
    // The window system's own events pass; only those posted again do not.
    if (event->spontaneous())
        return false;
    if (!alt || event->type() == QEvent::KeyRelease)
        pressed_ = false;
    return alt;
}

} // namespace ui
