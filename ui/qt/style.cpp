// Fusion under a proxy that defers its standard icons until they are drawn
// and paints graphical buttons itself.
#include "style.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace ui
{

namespace
{

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

// Marks a graphical button for the style; Qt keeps it with the widget.
constexpr char graphicalProperty[] = "quarvelGraphical";

bool isGraphical(const QWidget *widget)
{
    return widget && widget->property(graphicalProperty).toBool();
}

// Width of the bevel in pixels: light and shadow outside, button colour and
// dark inside, as qDrawWinButton draws it.
constexpr int bevel = 2;

// A graphical button: its face flat in the Button colour of its palette in
// every state (Fusion would shade it with a gradient and lighten it under
// the mouse), a raised bevel that turns sunken while pressed, the caption
// as Fusion draws it, and a dotted focus mark.
void drawGraphicalButton(const QStyle *style, const QStyleOptionButton &button, QPainter *painter,
                         const QWidget *widget)
{
    const QBrush face = button.palette.brush(QPalette::Button);
    const bool sunken = button.state & (QStyle::State_Sunken | QStyle::State_On);
    qDrawWinButton(painter, button.rect, button.palette, sunken, &face);

    QStyleOptionButton label = button;
    label.rect = style->subElementRect(QStyle::SE_PushButtonContents, &button, widget);
    style->drawControl(QStyle::CE_PushButtonLabel, &label, painter, widget);

    // The mark shows where Qt's other widgets show theirs: after the focus
    // came by keyboard. It lies one pixel inside the bevel, on the face.
    if ((button.state & QStyle::State_HasFocus) &&
        (button.state & QStyle::State_KeyboardFocusChange)) {
        painter->save();
        QPen pen(button.palette.color(QPalette::ButtonText), 1, Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(button.rect.adjusted(bevel + 1, bevel + 1, -bevel - 2, -bevel - 2));
        painter->restore();
    }
}

class Style : public QProxyStyle
{
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        return QIcon(new DeferredIcon(baseStyle(), which, option, widget));
    }
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element == CE_PushButton && button && isGraphical(widget))
            drawGraphicalButton(this, *button, painter, widget);
        else
            QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

QStyle *createStyle()
{
    return new Style;
}

void setGraphical(QPushButton *button, bool graphical)
{
    button->setProperty(graphicalProperty, graphical);
    button->update();
}

} // namespace ui
