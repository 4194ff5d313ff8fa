// Qt backend: builds the widgets, mirrors property writes onto them and
// raises the controls' events from Qt's input.
#include "backend.h"

#include "backingstore.h"
#include "convert.h"
#include "input.h"
#include "messagebox.h"
#include "style.h"
#include "widgets.h"

#include "ui/focus.h"
#include "ui/input.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <cassert>
#include <utility>

namespace ui
{

QtBackend::QtBackend(Form &form) : form_(form)
{
    window_ = new QMainWindow;
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    // With no control focused, keys go to the window itself: Tab among them.
    window_->installEventFilter(this);
    auto *client = new ClientArea(window_);
    client->setMouseTracking(true);
    client->installEventFilter(this);
    client_ = client;
    window_->setCentralWidget(client_);
    controlOf_[client_] = &form_;

    for (Control *c : form_.controls())
        build(*c);
    syncAll(form_);
    for (Control *c : form_.controls())
        syncAll(*c);
    // Named once here rather than after each of the writes above: the board
    // alone would be read out some forty times over.
    names_ =
        std::make_unique<AccessibleNames>([this](const Control &c) { return widget(c); }, window_);
    names_->nameAll(form_);

    form_.setObserver(this);
    setPlatform(this);
}

QtBackend::~QtBackend()
{
    if (platform() == this)
        setPlatform(nullptr);
    if (form_.observer() == this)
        form_.setObserver(nullptr);
    delete window_;
}

QWidget *QtBackend::parentWidget(const Control &control) const
{
    const Control *container = control.container();
    if (!container || container->kind() == Kind::Form)
        return client_;
    return widgets_.at(container);
}

void QtBackend::build(Control &control)
{
    QWidget *w = nullptr;
    switch (control.kind()) {
    case Kind::Form:
        return;
    case Kind::CommandButton: {
        auto *button = new QPushButton(parentWidget(control));
        button->setAutoDefault(false);
        // Tab reaches it; a press gives it the focus by the shared rule.
        button->setFocusPolicy(Qt::TabFocus);
        if (control.onMouseMove)
            button->setMouseTracking(true);
        connect(button, &QPushButton::clicked, this, [&control] { raiseClick(control); });
        w = button;
        break;
    }
    case Kind::Label: {
        auto *label = new QLabel(parentWidget(control));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        w = label;
        break;
    }
    case Kind::PictureBox: {
        auto *frame = new PictureFrame(parentWidget(control));
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        frame->setFocusPolicy(Qt::TabFocus);
        frame->setAutoFillBackground(true);
        w = frame;
        break;
    }
    case Kind::Image:
        w = new ImageWidget(parentWidget(control));
        break;
    case Kind::Timer: {
        auto *timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this,
                [&control] { static_cast<Timer &>(control).fireTimer(); });
        timers_[&control] = timer;
        return;
    }
    case Kind::Menu: {
        QAction *action = nullptr;
        if (control.container()->kind() == Kind::Form) {
            action = window_->menuBar()->addMenu(QString())->menuAction();
        } else {
            QMenu *menu = actions_.at(control.container())->menu();
            assert(menu);
            action = menu->addAction(QString());
            connect(action, &QAction::triggered, this, [&control] { raiseClick(control); });
        }
        actions_[&control] = action;
        return;
    }
    }
    // Qt's event delivery walks to the parent when a widget ignores a mouse
    // event; the window's own mouse-move must fire only over bare surface.
    w->setAttribute(Qt::WA_NoMousePropagation);
    w->installEventFilter(this);
    widgets_[&control] = w;
    controlOf_[w] = &control;
}

void QtBackend::syncAll(const Control &control)
{
    // A widget's Position sets its whole geometry and BackColor its whole
    // palette.
    for (Property p : mirroringWrites(control))
        sync(control, p);
}

void QtBackend::writing(const Control &, Property property)
{
    focusBeforeWrite_ = focusBeforeWrite(*this, property);
}

void QtBackend::written(const Control &control, Property property)
{
    sync(control, property);
    // After the widget's own change: Qt moves the focus on from a disabled
    // widget, or drops it, and the rule decides which.
    focusAfterWrite(*this, std::exchange(focusBeforeWrite_, nullptr));
    for (const Control *c : hearing_.written(control, property))
        names_->rename(*c);
}

void QtBackend::handling(const Control &control, Event event)
{
    hearing_.handling(control, event);
}

void QtBackend::handled(const Control &control, Event event)
{
    // Orca does not hear a focused control renamed (accessibility.cpp):
    // the announcement says it all.
    const Heard heard = hearing_.handled(control, event, focused());
    for (const Control *c : heard.renamed)
        names_->rename(*c);
    if (!heard.announcement.empty())
        names_->announce(heard.announcement.text());
}

Control *QtBackend::focused() const
{
    const auto it = controlOf_.find(QApplication::focusWidget());
    return it == controlOf_.end() || it->second == &form_ ? nullptr : it->second;
}

void QtBackend::setFocused(Control *control, FocusCause cause)
{
    // No control: the window itself holds the focus, so that keys reach no
    // control and Qt, when the window is activated again, gives it back to
    // the window rather than to the first control it can.
    if (!control) {
        window_->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The shortcut reason shows the focus mark, as after Tab.
    widgets_.at(control)->setFocus(cause == FocusCause::Keyboard ? Qt::ShortcutFocusReason
                                                                 : Qt::MouseFocusReason);
}

bool QtBackend::moveFocus(Control *control, const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (control)
            pressFocus(*this, *control);
        return false;
    case QEvent::KeyPress: {
        const auto &key = static_cast<const QKeyEvent &>(event);
        const bool backtab = key.key() == Qt::Key_Backtab;
        if ((key.key() != Qt::Key_Tab && !backtab) ||
            (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        tabFocus(*this, form_, backtab || (key.modifiers() & Qt::ShiftModifier) ? -1 : 1);
        return true;
    }
    case QEvent::Shortcut:
        // A button's access key: Qt would only press it.
        if (!control || control->kind() != Kind::CommandButton || !pressAccessKey(*this, control))
            return false;
        chord_.pressed();
        return true;
    default:
        return false;
    }
}

void QtBackend::sync(const Control &control, Property property)
{
    const QString caption = toQString(control.caption());

    if (control.kind() == Kind::Form) {
        auto *client = static_cast<ClientArea *>(client_);
        switch (property) {
        case Property::Caption:
            window_->setWindowTitle(caption);
            break;
        case Property::Width:
        case Property::Height:
            client->size = QSize(toPixels(control.width()), toPixels(control.height()));
            client->updateGeometry();
            break;
        case Property::BackColor:
            client->background = toQColor(control.backColor(), client->palette());
            client->update();
            break;
        case Property::Style:
            window_->setWindowIcon(icons_.icon(toQString(form_.icon())));
            break;
        default:
            break;
        }
        return;
    }

    if (control.kind() == Kind::Timer) {
        QTimer *timer = timers_.at(&control);
        const auto &t = static_cast<const Timer &>(control);
        switch (timerChange(t, property, timer->isActive())) {
        case TimerChange::Start:
        case TimerChange::Restart:
            timer->start(t.interval());
            break;
        case TimerChange::Stop:
            timer->stop();
            break;
        case TimerChange::None:
            // A stopped QTimer keeps the interval for its next start.
            if (property == Property::Interval)
                timer->setInterval(t.interval());
            break;
        }
        return;
    }

    if (control.kind() == Kind::Menu) {
        QAction *action = actions_.at(&control);
        if (property == Property::Caption)
            action->setText(caption);
        else if (property == Property::Enabled)
            action->setEnabled(control.enabled());
        else if (property == Property::Visible)
            action->setVisible(control.visible());
        return;
    }

    QWidget *w = widgets_.at(&control);
    switch (property) {
    case Property::Left:
    case Property::Top:
    case Property::Width:
    case Property::Height:
    case Property::Position: {
        // Positions count from the inside of the container, past its border.
        const QPoint origin =
            w->parentWidget() == client_
                ? QPoint(0, 0)
                : static_cast<QFrame *>(w->parentWidget())->contentsRect().topLeft();
        w->setGeometry(origin.x() + toPixels(control.left()), origin.y() + toPixels(control.top()),
                       toPixels(control.width()), toPixels(control.height()));
        break;
    }
    case Property::Caption:
        if (auto *button = qobject_cast<QPushButton *>(w))
            button->setText(caption);
        else if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(caption);
        break;
    case Property::Enabled:
        w->setEnabled(control.enabled());
        break;
    case Property::Visible:
        w->setVisible(control.visible());
        break;
    case Property::BackColor:
    case Property::ForeColor: {
        QPalette palette = w->palette();
        const QPalette base = QApplication::palette();
        if (control.kind() == Kind::CommandButton)
            palette.setColor(QPalette::Button, toQColor(control.backColor(), base));
        else if (control.kind() == Kind::PictureBox)
            palette.setColor(QPalette::Window, toQColor(control.backColor(), base));
        palette.setColor(control.kind() == Kind::CommandButton ? QPalette::ButtonText
                                                               : QPalette::WindowText,
                         toQColor(control.foreColor(), base));
        w->setPalette(palette);
        break;
    }
    case Property::Font:
        w->setFont(toQFont(control.font()));
        break;
    case Property::Style:
        if (control.kind() == Kind::Label) {
            const auto &label = static_cast<const Label &>(control);
            auto *ql = static_cast<QLabel *>(w);
            const Qt::Alignment horizontal =
                label.alignment() == Alignment::Center  ? Qt::AlignHCenter
                : label.alignment() == Alignment::Right ? Qt::AlignRight
                                                        : Qt::AlignLeft;
            ql->setAlignment(horizontal | Qt::AlignTop);
            ql->setFrameStyle(label.bordered() ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
            ql->setAutoFillBackground(!label.transparent());
        } else if (control.kind() == Kind::Image) {
            const QString path = toQString(static_cast<const Image &>(control).picture());
            static_cast<ImageWidget *>(w)->picture = icons_.icon(path);
            w->update();
        } else if (control.kind() == Kind::CommandButton) {
            setGraphical(static_cast<QPushButton *>(w),
                         static_cast<const CommandButton &>(control).graphical());
        }
        break;
    case Property::TabIndex:
        break; // Tab follows TabIndex through the shared rules (moveFocus)
    case Property::Interval:
        break;
    }
}

void QtBackend::show()
{
    window_->resize(window_->sizeHint());
    focusFirst(*this, form_);
    const BackingStoreWarmUp store(window_);
    window_->show();
}

QWidget *QtBackend::widget(const Control &control) const
{
    if (control.kind() == Kind::Form)
        return client_;
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

QAction *QtBackend::action(const Control &menu) const
{
    auto it = actions_.find(&menu);
    return it == actions_.end() ? nullptr : it->second;
}

QTimer *QtBackend::timer(const Control &timer) const
{
    auto it = timers_.find(&timer);
    return it == timers_.end() ? nullptr : it->second;
}

bool QtBackend::eventFilter(QObject *watched, QEvent *event)
{
    const auto it = controlOf_.find(watched);
    Control *control = it == controlOf_.end() ? nullptr : it->second;
    if (moveFocus(control, *event))
        return true;
    if (control)
        raiseInput(*control, *event);
    return QObject::eventFilter(watched, event);
}

void QtBackend::messageBox(const std::string &text, const std::string &title)
{
    showMessageBox(window_, toQString(text), toQString(title));
}

void QtBackend::endProgram()
{
    if (window_)
        window_->hide();
    QCoreApplication::exit(0);
}

} // namespace ui
