// The Qt backend: one widget per control, kept in step with every property
// write, Qt's input turned into the controls' events, and the keyboard focus
// moved by the rules every backend shares rather than by Qt's own.
#pragma once

#include "accessibility.h"
#include "icons.h"
#include "input.h"
#include "ui/controls.h"
#include "ui/focus.h"
#include "ui/hearing.h"
#include "ui/runtime.h"

#include <QObject>
#include <memory>
#include <unordered_map>

class QAction;
class QMainWindow;
class QTimer;
class QWidget;

namespace ui
{

class QtBackend : public QObject, public ControlObserver, public Platform, public FocusHolder
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
    QTimer *timer(const Control &timer) const;

    void writing(const Control &control, Property property) override;
    void written(const Control &control, Property property) override;
    void handling(const Control &control, Event event) override;
    void handled(const Control &control, Event event) override;
    Control *focused() const override;
    void setFocused(Control *control, FocusCause cause) override;
    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(Control &control);
    void sync(const Control &control, Property property);
    void syncAll(const Control &control);
    // Presses, Tab and the buttons' access keys, by the shared focus rules;
    // true when the event is spent.
    bool moveFocus(Control *control, const QEvent &event);
    QWidget *parentWidget(const Control &control) const;

    Form &form_;
    QMainWindow *window_ = nullptr;
    QWidget *client_ = nullptr;
    std::unordered_map<const Control *, QWidget *> widgets_;
    std::unordered_map<const Control *, QAction *> actions_;
    std::unordered_map<const Control *, QTimer *> timers_;
    std::unordered_map<const QObject *, Control *> controlOf_;
    IconCache icons_;
    AccessKeyChord chord_;
    std::unique_ptr<AccessibleNames> names_;
    Hearing hearing_;
    Control *focusBeforeWrite_ = nullptr;
};

} // namespace ui
