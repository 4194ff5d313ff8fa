// Roles and names for Qt's accessibility bridge, kept in step with the game.
#include "accessibility.h"

#include "convert.h"
#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QStringList>

#include <algorithm>
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

// "smiley" for ":/icons/smiley.ico".
QString pictureName(const std::string &path)
{
    QString name = toQString(path);
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    return name.left(name.lastIndexOf(QLatin1Char('.')));
}

} // namespace

AccessibleNames::AccessibleNames(WidgetOf widgetOf) : widgetOf_(std::move(widgetOf))
{
    QAccessible::installFactory(accessibleControl);
}

void AccessibleNames::pairLabels(const Form &form)
{
    const std::vector<Control *> &controls = form.controls();
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        const Control &label = *controls[i];
        const Control &named = *controls[i + 1];
        QWidget *namedWidget = widgetOf_(named);
        if (label.kind() != Kind::Label || !label.caption().ends_with(':') || !namedWidget)
            continue;
        static_cast<QLabel *>(widgetOf_(label))->setBuddy(namedWidget);
        labelOf_[&named] = &label;
        namedBy_[&label] = &named;
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
    const bool moved =
        property == Property::Position || property == Property::Left || property == Property::Top;
    if (moved || property == Property::Caption || property == Property::Visible) {
        const Control *container = control.container();
        if (container && container->kind() == Kind::PictureBox && widgetOf_(*container))
            updateBoard(*container);
    }
    if (property == Property::Caption) {
        if (control.kind() == Kind::PictureBox)
            updateBoard(control);
        updateLabelled(control);
        const auto named = namedBy_.find(&control);
        if (named != namedBy_.end())
            updateLabelled(*named->second);
    }
    if (property == Property::Style && control.kind() == Kind::Image)
        updateImage(control);
}

// A board reads as its contents row by row, rows parted by commas. The
// distinct tops and lefts of the controls inside make the rows and columns;
// a cell that no control covers reads as "empty".
void AccessibleNames::updateBoard(const Control &board)
{
    std::vector<const Control *> inside;
    std::vector<float> tops, lefts;
    for (const Control *c : board.form().controls()) {
        if (c->container() != &board || !c->visible())
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
            cells << (at == inside.end() ? QStringLiteral("empty") : toQString((*at)->caption()));
        }
        rows << cells.join(' ');
    }
    widgetOf_(board)->setAccessibleName(rows.join(QLatin1String(", ")));
}

void AccessibleNames::updateImage(const Control &image)
{
    widgetOf_(image)->setAccessibleName(pictureName(static_cast<const Image &>(image).picture()));
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
