// The widgets that Qt has no ready match for: the window's client area, an
// image that stretches its picture, and the picture box that frames the board.
#pragma once

#include <QColor>
#include <QFrame>
#include <QIcon>
#include <QSize>
#include <QWidget>

namespace ui
{

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
    void paintEvent(QPaintEvent *) override;
};

// An image shows its picture stretched to its box.
class ImageWidget : public QWidget
{
public:
    using QWidget::QWidget;
    QIcon picture;

protected:
    void paintEvent(QPaintEvent *) override;
};

// What the game announces to screen readers (accessibility.h): no size and
// nothing to paint, shown anew for each announcement.
class Announcer : public QWidget
{
public:
    explicit Announcer(QWidget *parent);
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

} // namespace ui
