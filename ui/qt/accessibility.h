// What screen readers hear: images as graphics named after their picture,
// the board as its rows, and a label that ends in a colon joined to the
// control after it ("Total Clicks: 7").
#pragma once

#include "ui/controls.h"

#include <functional>
#include <unordered_map>

class QWidget;

namespace ui
{

class AccessibleNames
{
public:
    using WidgetOf = std::function<QWidget *(const Control &)>;

    // Installs the roles of the game's own widgets with Qt's accessibility.
    explicit AccessibleNames(WidgetOf widgetOf);

    // Names every control as the form stands, once its widgets are built,
    // and pairs each label whose caption ends in a colon with the control
    // made right after it (Qt reports the pair as a label relation).
    void nameAll(const Form &form);

    // Keeps the names in step after a property write.
    void written(const Control &control, Property property);

private:
    void pairLabels(const Form &form);
    void updateBoard(const Control &board);
    void updateLabelled(const Control &control);
    void updateImage(const Control &image);

    WidgetOf widgetOf_;
    std::unordered_map<const Control *, const Control *> labelOf_; // named control -> label
    std::unordered_map<const Control *, const Control *> namedBy_; // label -> named control
};

} // namespace ui
