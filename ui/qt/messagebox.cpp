// A message box that holds back the window's input as a modal one would, yet
// lets the window be closed.
#include "messagebox.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QObject>

namespace ui
{

namespace
{

// Holds back the window's input while a message box waits, as a modal box
// would, but lets a close request through: Qt drops a close request for a
// window that a modal box blocks, and closing the window must end the
// program in every state. A close of the window ends the wait.
class InputHold : public QObject
{
public:
    InputHold(QWidget *window, QDialog *box) : window_(window), box_(box)
    {
        qApp->installEventFilter(this);
    }
    ~InputHold() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() != window_)
            return false;
        switch (event->type()) {
        case QEvent::Close:
            if (w == window_)
                box_->done(0);
            return false;
        case QEvent::WindowActivate:
            box_->raise();
            box_->activateWindow();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }

private:
    QWidget *window_;
    QDialog *box_;
};

} // namespace

void showMessageBox(QWidget *window, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, window);
    box.setWindowModality(Qt::NonModal); // see InputHold
    const InputHold hold(window, &box);
    QEventLoop wait;
    QObject::connect(&box, &QDialog::finished, &wait, &QEventLoop::quit);
    box.show();
    box.activateWindow();
    wait.exec();
}

} // namespace ui
