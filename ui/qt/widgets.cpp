// Painting of the client area and of the images.
#include "widgets.h"

#include <QPainter>
#include <QPixmap>

namespace ui
{

void ClientArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), background);
}

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void ImageWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The 32-pixel drawing, at the screen's own resolution, scaled to the box.
    const QPixmap pixmap = picture.pixmap(QSize(32, 32), devicePixelRatioF());
    p.drawPixmap(rect(), pixmap);
}

} // namespace ui
