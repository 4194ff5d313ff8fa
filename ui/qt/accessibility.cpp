// Roles and names for Qt's accessibility bridge, kept in step with the game,
// and the announcements.
//
// Qt 6.4's bridge sends a changed name or description without the new text,
// so Orca says nothing when the focused tile is renamed, and Qt has no call
// to announce. What Orca does speak, whatever has the focus, is an object of
// the notification role that shows: each announcement is the name of a
// notification that is shown anew (Orca says "notification", then the
// text). It has no size, so nothing on screen changes.
#include "accessibility.h"

#include "convert.h"
#include "widgets.h"

#include "ui/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace ui
{

namespace
{

// Screen readers see an image as a graphic named after its picture, a
// picture box as the group of the controls inside it, and the announcer as
// a notification.
QAccessibleInterface *accessibleControl(const QString &, QObject *object)
{
    if (auto *image = dynamic_cast<ImageWidget *>(object))
        return new QAccessibleWidget(image, QAccessible::Graphic);
    if (auto *frame = dynamic_cast<PictureFrame *>(object))
        return new QAccessibleWidget(frame, QAccessible::Grouping);
    if (auto *announcer = dynamic_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

// A control whose name is not just its caption, which Qt reads from its
// text on its own (the access key's mark left out).
bool namedApart(const Control &control)
{
    const Control *box = control.container();
    return control.kind() == Kind::PictureBox || control.kind() == Kind::Image ||
           (box && box->kind() == Kind::PictureBox) ||
           (control.kind() == Kind::Label && labelOf(control));
}

} // namespace

AccessibleNames::AccessibleNames(WidgetOf widgetOf, QWidget *window)
    : widgetOf_(std::move(widgetOf)), announcer_(new Announcer(window))
{
    QAccessible::installFactory(accessibleControl);
}

void AccessibleNames::nameAll(const Form &form)
{
    for (const Control *named : form.controls()) {
        const Control *label = labelOf(*named);
        QWidget *namedWidget = widgetOf_(*named);
        if (label && namedWidget)
            static_cast<QLabel *>(widgetOf_(*label))->setBuddy(namedWidget);
    }
    for (const Control *c : form.controls())
        rename(*c);
}

void AccessibleNames::rename(const Control &control)
{
    if (!namedApart(control))
        return;
    const QString name = toQString(accessibleName(control));
    if (QWidget *w = widgetOf_(control); w && w->accessibleName() != name)
        w->setAccessibleName(name);
}

void AccessibleNames::announce(const std::string &text)
{
    // With no screen reader listening, showing the announcer does nothing.
    if (!QAccessible::isActive())
        return;
    announcer_->setAccessibleName(toQString(text));
    announcer_->hide();
    announcer_->show();
}

} // namespace ui
