// Fusion under a proxy that defers its standard icons until they are drawn.
#include "style.h"

#include <QIcon>
#include <QIconEngine>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

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

} // namespace

QStyle *createStyle()
{
    return new Style;
}

} // namespace ui
