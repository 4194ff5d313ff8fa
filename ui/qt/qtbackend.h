// The Qt backend: one widget per control, kept in step with every property
// write, and Qt's input turned into the controls' events. 15 twips make one
// logical pixel; Qt's high-DPI scaling does the rest.
#pragma once

#include "ui/controls.h"
#include "ui/runtime.h"

#include <QFont>
#include <QIcon>
#include <QObject>
#include <QString>
#include <map>
#include <unordered_map>
#include <vector>

class QAction;
class QMainWindow;
class QStyle;
class QTimer;
class QWidget;

namespace ui
{

class QtBackend : public QObject, public ControlObserver, public Platform
{
    Q_OBJECT

public:
    static constexpr float twipsPerPixel = 15.0f;

    // Builds the window and its widgets from the form's controls as they
    // stand, then mirrors every later write. Becomes the active platform.
    explicit QtBackend(Form &form);
    ~QtBackend() override;

    // Shows the window with the keyboard focus on the first control in the
    // tab order.
    void show();

    // The style the widgets are drawn in: Fusion, whose graphical buttons
    // paint their BackColor through the palette. Pass it to
    // QApplication::setStyle, which owns it.
    static QStyle *createStyle();

    // The distinct fonts the form's widgets will use, the application's
    // default font among them. Needs the QApplication.
    static std::vector<QFont> fontsOf(const Form &form);

    QMainWindow *window() const { return window_; }
    QWidget *clientArea() const { return client_; }
    QWidget *widget(const Control &control) const;
    QAction *action(const Control &menu) const;
    QTimer *timer(const Control &timer) const;

    void written(const Control &control, Property property) override;
    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(Control &control);
    void sync(const Control &control, Property property);
    void syncAll(const Control &control);
    void applyTabOrder();
    void findLabels();
    void updateAccessibleName(const Control &control);
    QWidget *parentWidget(const Control &control) const;

    Form &form_;
    QMainWindow *window_ = nullptr;
    QWidget *client_ = nullptr;
    std::unordered_map<const Control *, QWidget *> widgets_;
    std::unordered_map<const Control *, QAction *> actions_;
    std::unordered_map<const Control *, QTimer *> timers_;
    std::unordered_map<const QObject *, Control *> controlOf_;
    std::map<QString, QIcon> icons_; // by path: the images share one decoded icon
    std::unordered_map<const Control *, const Control *> labelOf_; // named control -> label
    std::unordered_map<const Control *, const Control *> namedBy_; // label -> named control
};

} // namespace ui
