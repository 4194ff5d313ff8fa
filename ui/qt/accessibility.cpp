// Roles and names for Qt's accessibility bridge, kept in step with the game.
#include "accessibility.h"

#include "convert.h"
#include "widgets.h"

#include "ui/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include <vector>

namespace ui
{

namespace
{

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

} // namespace

AccessibleNames::AccessibleNames(WidgetOf widgetOf) : widgetOf_(std::move(widgetOf))
{
    QAccessible::installFactory(accessibleControl);
}

void AccessibleNames::pairLabels(const Form &form)
{
    for (const Control *named : form.controls()) {
        const Control *label = labelOf(*named);
        QWidget *namedWidget = widgetOf_(*named);
        if (!label || !namedWidget)
            continue;
        static_cast<QLabel *>(widgetOf_(*label))->setBuddy(namedWidget);
        labelOf_[named] = label;
        namedBy_[label] = named;
    }
}

void AccessibleNames::nameAll(const Form &form)
{
    pairLabels(form);
    for (const Control *c : form.controls()) {
        if (c->kind() == Kind::PictureBox)
            updateBoard(*c);
        else if (c->kind() == Kind::Image)
            updateImage(*c);
        else
            updateLabelled(*c);
    }
}

void AccessibleNames::written(const Control &control, Property property)
{
    if (const Control *board = boardRenamedBy(control, property); board && widgetOf_(*board))
        updateBoard(*board);
    if (property == Property::Caption) {
        updateLabelled(control);
        const auto named = namedBy_.find(&control);
        if (named != namedBy_.end())
            updateLabelled(*named->second);
    }
    if (property == Property::Style && control.kind() == Kind::Image)
        updateImage(control);
}

void AccessibleNames::updateBoard(const Control &board)
{
    widgetOf_(board)->setAccessibleName(toQString(accessibleName(board)));
}

void AccessibleNames::updateImage(const Control &image)
{
    widgetOf_(image)->setAccessibleName(toQString(accessibleName(image)));
}

// A label named by another reads as both captions: "Total Clicks: 7".
void AccessibleNames::updateLabelled(const Control &control)
{
    const auto label = labelOf_.find(&control);
    if (label != labelOf_.end() && control.kind() == Kind::Label)
        widgetOf_(control)->setAccessibleName(toQString(label->second->caption()) + ' ' +
                                              toQString(control.caption()));
}

} // namespace ui
