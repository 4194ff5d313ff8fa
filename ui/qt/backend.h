// The Qt backend: one widget per control (a menu's action for a menu), Qt's
// input turned into the controls' events, and the keyboard focus moved by
// the rules every backend shares rather than by Qt's own.
#pragma once

#include "accessible.h"
#include "icons.h"
#include "input.h"
#include "ui/backend.h"

#include <QObject>

class QAction;
class QMainWindow;
class QTimer;
class QWidget;

namespace ui
{

class QtBackend : public QObject, public BackendOf<QObject *>
{
    Q_OBJECT

public:
    // Builds the window and its widgets from the form's controls as they
    // stand, then mirrors every later write. Becomes the active platform.
    explicit QtBackend(Form &form);
    ~QtBackend() override;

    // Shows the window with the keyboard focus on the first control in the
    // tab order.
    void show();

    QMainWindow *window() const { return window_; }
    QWidget *clientArea() const { return client_; }
    QWidget *widget(const Control &control) const;
    QAction *action(const Control &menu) const;
    const QTimer *timer(const Control &timer) const;

    Control *focused() const override;
    void setFocused(Control *control, FocusCause cause) override;
    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void make(Control &control) override;
    std::unique_ptr<Ticks> makeTicks(Timer &timer) override;
    void apply(const Control &control, Property property) override;
    void rename(const Control &control) override { names_.rename(control); }
    // Orca hears no focused control renamed (accessible.cpp): the
    // announcement says it all.
    void announce(const Announcement &heard) override { names_.announce(heard.text()); }
    // Presses, Tab and the buttons' access keys, by the shared focus rules;
    // true when the event is spent.
    bool moveFocus(Control *control, const QEvent &event);
    QWidget *parentWidget(const Control &control) const;

    QMainWindow *window_ = nullptr;
    QWidget *client_ = nullptr;
    IconCache icons_;
    AccessKeyChord chord_;
    AccessibleNames names_;
};

} // namespace ui
