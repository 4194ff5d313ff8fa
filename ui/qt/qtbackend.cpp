// Qt backend: builds the widgets, mirrors property writes onto them and
// raises the controls' events from Qt's input.
#include "qtbackend.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <map>

namespace ui
{

namespace
{

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / QtBackend::twipsPerPixel));
}

float toTwips(qreal pixels)
{
    return static_cast<float>(pixels) * QtBackend::twipsPerPixel;
}

QString toQString(const std::string &s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QColor toQColor(Color c, const QPalette &palette)
{
    if (isSystemColor(c)) {
        switch (c & 0xFFu) {
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        case 0x0F:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::WindowText);
        }
    }
    return QColor(int(c & 0xFFu), int((c >> 8) & 0xFFu), int((c >> 16) & 0xFFu));
}

QFont toQFont(const Font &font)
{
    QFont f = QApplication::font();
    if (font.name.empty())
        return f;
    f.setFamilies({toQString(font.name)});
    f.setPointSizeF(font.size);
    f.setWeight(static_cast<QFont::Weight>(font.weight));
    return f;
}

// Qt's event delivery walks to the parent when a widget ignores a mouse
// event; the window's own mouse-move must fire only over bare surface.
void stopMousePropagation(QWidget *w)
{
    w->setAttribute(Qt::WA_NoMousePropagation);
}

// The window's inside below the menu bar: paints the form's background and
// asks for the form's size.
class ClientArea : public QWidget
{
public:
    using QWidget::QWidget;
    QColor background;
    QSize size{0, 0};
    QSize sizeHint() const override { return size; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), background);
    }
};

// An image shows its picture stretched to its box.
class ImageWidget : public QWidget
{
public:
    using QWidget::QWidget;
    QIcon picture;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const qreal dpr = devicePixelRatioF();
        const QPixmap pixmap = picture.pixmap(QSize(32, 32), dpr);
        p.drawPixmap(rect(), pixmap);
    }
};

// A picture box: a framed container of other controls.
class PictureFrame : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    // The frame looks the same with and without the focus, so a focus change
    // repaints nothing. QWidget would repaint the whole box, and with it every
    // control inside: a click on a tile moves the focus from the board to the
    // tile, and the first change on screen came only after nine buttons.
    void focusInEvent(QFocusEvent *) override {}
    void focusOutEvent(QFocusEvent *) override {}
};

// Screen readers see an image as a graphic named after its picture, and a
// picture box as the group of the controls inside it.
QAccessibleInterface *accessibleControl(const QString &, QObject *object)
{
    if (auto *image = dynamic_cast<ImageWidget *>(object))
        return new QAccessibleWidget(image, QAccessible::Graphic);
    if (auto *frame = dynamic_cast<PictureFrame *>(object))
        return new QAccessibleWidget(frame, QAccessible::Grouping);
    return nullptr;
}

// A picture with the extension .ico may come with PNG renderings of its
// sizes beside it ("smiley.ico": "smiley-16.png", "smiley-32.png"). The PNGs
// decode without loading the ICO image plugin, which costs a plugin look-up
// and a library load at start-up; the pixels are the same.
QIcon loadIcon(const QString &path, std::map<QString, QIcon> &loaded)
{
    const auto known = loaded.find(path);
    if (known != loaded.end())
        return known->second;
    QIcon icon;
    if (path.endsWith(QLatin1String(".ico"))) {
        const QString base = path.chopped(4);
        for (int side : {16, 32}) {
            const QString png = base + QLatin1Char('-') + QString::number(side) + ".png";
            // With the format named and guessing turned off, QImageReader
            // goes straight to its own PNG decoder; otherwise it loads every
            // image plugin (GIF, ICO, JPEG and libjpeg) to ask about the file.
            QImageReader reader(png, "png");
            reader.setAutoDetectImageFormat(false);
            const QImage image = reader.read();
            if (!image.isNull())
                icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    if (icon.isNull())
        icon = QIcon(path);
    loaded.emplace(path, icon);
    return icon;
}

// A style's standard icon, read from Qt's resources when first drawn. The
// menu bar asks for its overflow arrow as it is made, and reading that
// picture without a named format loads every image plugin (GIF, ICO, JPEG
// and libjpeg) to probe it; the arrow shows only when the menus do not fit.
class DeferredIcon : public QIconEngine
{
public:
    DeferredIcon(const QStyle *style, QStyle::StandardPixmap which, const QStyleOption *option,
                 const QWidget *widget)
        : style_(style), which_(which)
    {
        // What the icon may depend on is taken now; the widget may be gone
        // by the time the icon is drawn.
        if (option)
            option_ = *option;
        else if (widget)
            option_.initFrom(widget);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine *clone() const override { return new DeferredIcon(*this); }
    QString key() const override { return QStringLiteral("DeferredIcon"); }

private:
    const QIcon &icon()
    {
        if (!loaded_) {
            icon_ = style_->standardIcon(which_, &option_, nullptr);
            loaded_ = true;
        }
        return icon_;
    }
    const QStyle *style_;
    QStyle::StandardPixmap which_;
    QStyleOption option_;
    QIcon icon_;
    bool loaded_ = false;
};

// Fusion, with standard icons read when first drawn.
class Style : public QProxyStyle
{
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        return QIcon(new DeferredIcon(baseStyle(), which, option, widget));
    }
};

// "smiley" for ":/icons/smiley.ico".
QString pictureName(const QString &path)
{
    QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return name.left(name.lastIndexOf(QLatin1Char('.')));
}

} // namespace

QtBackend::QtBackend(Form &form) : form_(form)
{
    window_ = new QMainWindow;
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    auto *client = new ClientArea(window_);
    client->setMouseTracking(true);
    client->installEventFilter(this);
    client_ = client;
    window_->setCentralWidget(client_);
    controlOf_[client_] = &form_;

    QAccessible::installFactory(accessibleControl);
    for (Control *c : form_.controls())
        build(*c);
    findLabels();
    syncAll(form_);
    for (Control *c : form_.controls())
        syncAll(*c);
    applyTabOrder();

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

// A label whose caption ends in a colon names the control made right after
// it, as "Total Clicks:" names the counter: Qt reports the pair as a label
// relation, and a label so named reads as "Total Clicks: 7".
void QtBackend::findLabels()
{
    const std::vector<Control *> &controls = form_.controls();
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        const Control &label = *controls[i];
        const Control &named = *controls[i + 1];
        if (label.kind() != Kind::Label || !label.caption().ends_with(':') ||
            !widgets_.count(&named))
            continue;
        static_cast<QLabel *>(widgets_.at(&label))->setBuddy(widgets_.at(&named));
        labelOf_[&named] = &label;
        namedBy_[&label] = &named;
    }
}

void QtBackend::updateAccessibleName(const Control &control)
{
    // A board reads as its contents row by row, rows parted by commas. The
    // distinct tops and lefts of the controls inside make the rows and
    // columns; a cell that no control covers reads as "empty".
    if (control.kind() == Kind::PictureBox) {
        std::vector<const Control *> inside;
        std::vector<float> tops, lefts;
        for (const Control *c : form_.controls()) {
            if (c->container() != &control || !c->visible())
                continue;
            inside.push_back(c);
            tops.push_back(c->top());
            lefts.push_back(c->left());
        }
        for (auto *axis : {&tops, &lefts}) {
            std::sort(axis->begin(), axis->end());
            axis->erase(std::unique(axis->begin(), axis->end()), axis->end());
        }
        QStringList rows;
        for (float top : tops) {
            QStringList cells;
            for (float left : lefts) {
                const auto at = std::find_if(inside.begin(), inside.end(), [&](const Control *c) {
                    return c->top() == top && c->left() == left;
                });
                cells << (at == inside.end() ? QStringLiteral("empty")
                                             : toQString((*at)->caption()));
            }
            rows << cells.join(' ');
        }
        const QString name = rows.join(QLatin1String(", "));
        widgets_.at(&control)->setAccessibleName(name);
        return;
    }
    const auto label = labelOf_.find(&control);
    if (label != labelOf_.end() && control.kind() == Kind::Label)
        widgets_.at(&control)->setAccessibleName(toQString(label->second->caption()) + ' ' +
                                                 toQString(control.caption()));
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
    QObject *object = nullptr;
    switch (control.kind()) {
    case Kind::Form:
        return;
    case Kind::CommandButton: {
        auto *button = new QPushButton(parentWidget(control));
        button->setAutoDefault(false);
        if (control.onMouseMove)
            button->setMouseTracking(true);
        connect(button, &QPushButton::clicked, this, [&control] { control.fireClick(); });
        object = button;
        break;
    }
    case Kind::Label: {
        auto *label = new QLabel(parentWidget(control));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        object = label;
        break;
    }
    case Kind::PictureBox: {
        auto *frame = new PictureFrame(parentWidget(control));
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        frame->setFocusPolicy(Qt::StrongFocus);
        frame->setAutoFillBackground(true);
        object = frame;
        break;
    }
    case Kind::Image: {
        object = new ImageWidget(parentWidget(control));
        break;
    }
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
            connect(action, &QAction::triggered, this, [&control] { control.fireClick(); });
        }
        actions_[&control] = action;
        return;
    }
    }
    auto *w = static_cast<QWidget *>(object);
    stopMousePropagation(w);
    w->installEventFilter(this);
    widgets_[&control] = w;
    controlOf_[w] = &control;
}

void QtBackend::syncAll(const Control &control)
{
    // One write of each kind: a widget's Position sets its whole geometry and
    // BackColor its whole palette, so Width, Height and ForeColor would only
    // do the same again. The window's size comes from Width.
    for (Property p : {control.kind() == Kind::Form ? Property::Width : Property::Position,
                       Property::Caption, Property::Enabled, Property::Visible, Property::BackColor,
                       Property::Font, Property::Style, Property::Interval})
        sync(control, p);
}

void QtBackend::written(const Control &control, Property property)
{
    sync(control, property);
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
            window_->setWindowIcon(loadIcon(toQString(form_.icon()), icons_));
            break;
        default:
            break;
        }
        return;
    }

    if (control.kind() == Kind::Timer) {
        QTimer *timer = timers_.at(&control);
        if (property == Property::Interval)
            timer->setInterval(static_cast<const Timer &>(control).interval());
        // Enabling a running timer must keep its series of ticks.
        if (property == Property::Enabled) {
            if (!control.enabled())
                timer->stop();
            else if (!timer->isActive())
                timer->start();
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
    if (property == Property::Position || property == Property::Left || property == Property::Top ||
        property == Property::Caption || property == Property::Visible) {
        const Control *container = control.container();
        if (container && container->kind() == Kind::PictureBox && widgets_.count(container))
            updateAccessibleName(*container);
    }
    if (property == Property::Caption) {
        updateAccessibleName(control);
        const auto named = namedBy_.find(&control);
        if (named != namedBy_.end())
            updateAccessibleName(*named->second);
    }
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
            static_cast<ImageWidget *>(w)->picture = loadIcon(path, icons_);
            w->setAccessibleName(pictureName(path));
            w->update();
        }
        break;
    case Property::TabIndex:
        applyTabOrder();
        break;
    case Property::Interval:
        break;
    }
}

void QtBackend::applyTabOrder()
{
    std::vector<const Control *> order;
    for (const Control *c : form_.controls())
        if (c->tabIndex() >= 0 && widgets_.count(c))
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](const Control *a, const Control *b) {
        return a->tabIndex() < b->tabIndex();
    });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgets_.at(order[i - 1]), widgets_.at(order[i]));
}

void QtBackend::show()
{
    window_->resize(window_->sizeHint());
    for (const Control *c : form_.controls()) {
        if (c->tabIndex() == 0 && widgets_.count(c)) {
            widgets_.at(c)->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    window_->show();
}

QStyle *QtBackend::createStyle()
{
    return new Style;
}

std::vector<QFont> QtBackend::fontsOf(const Form &form)
{
    std::vector<QFont> fonts{QApplication::font()};
    for (const Control *c : form.controls()) {
        if (c->kind() == Kind::Timer || c->kind() == Kind::Menu)
            continue;
        const QFont font = toQFont(c->font());
        if (std::find(fonts.begin(), fonts.end(), font) == fonts.end())
            fonts.push_back(font);
    }
    return fonts;
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
    if (it == controlOf_.end())
        return QObject::eventFilter(watched, event);
    Control &control = *it->second;

    if (event->type() == QEvent::MouseMove && control.onMouseMove) {
        const auto *me = static_cast<QMouseEvent *>(event);
        const Qt::MouseButtons b = me->buttons();
        const Qt::KeyboardModifiers m = me->modifiers();
        const Int16 button = Int16((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                                   (b & Qt::MiddleButton ? 4 : 0));
        const Int16 shift =
            Int16((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                  (m & Qt::AltModifier ? 4 : 0));
        control.fireMouseMove(button, shift, toTwips(me->position().x()),
                              toTwips(me->position().y()));
    } else if (event->type() == QEvent::KeyPress && control.onKeyPress) {
        // Character keys only; Alt and Ctrl chords belong to access keys and
        // shortcuts. The button still sees the key, so Space also clicks it.
        const auto *ke = static_cast<QKeyEvent *>(event);
        const QString text = ke->text();
        if (!text.isEmpty() && !(ke->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) &&
            text.at(0).unicode() < 256)
            control.fireKeyPress(Int16(text.at(0).unicode()));
    }
    return false;
}

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

void QtBackend::messageBox(const std::string &text, const std::string &title)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), QMessageBox::Ok,
                    window_);
    box.setWindowModality(Qt::NonModal); // see InputHold
    const InputHold hold(window_, &box);
    QEventLoop wait;
    connect(&box, &QDialog::finished, &wait, &QEventLoop::quit);
    box.show();
    box.activateWindow();
    wait.exec();
}

void QtBackend::endProgram()
{
    if (window_)
        window_->hide();
    QCoreApplication::exit(0);
}

} // namespace ui
