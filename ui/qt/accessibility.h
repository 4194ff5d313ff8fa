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

    // Pairs each label whose caption ends in a colon with the control made
    // right after it; Qt reports the pair as a label relation.
    void pairLabels(const Form &form);

    // Keeps the names in step after a property write.
    void written(const Control &control, Property property);

private:
    void updateBoard(const Control &board);
    void updateLabelled(const Control &control);

    WidgetOf widgetOf_;
    std::unordered_map<const Control *, const Control *> labelOf_; // named control -> label
    std::unordered_map<const Control *, const Control *> namedBy_; // label -> named control
};

} // namespace ui
