// What screen readers hear: images as graphics named after their picture,
// the board as its rows, a tile by its number and place, a label that ends
// in a colon joined to the control after it ("Total Clicks: 7"), and what
// each event announces.
#pragma once

#include "ui/controls.h"

#include <functional>
#include <string>

class QWidget;

namespace ui
{

class Announcer;

class AccessibleNames
{
public:
    using WidgetOf = std::function<QWidget *(const Control &)>;

    // Installs the roles of the game's own widgets with Qt's accessibility;
    // the announcements come from a widget inside `window`.
    AccessibleNames(WidgetOf widgetOf, QWidget *window);

    // Names every control as the form stands, once its widgets are built,
    // and pairs each label whose caption ends in a colon with the control
    // made right after it (Qt reports the pair as a label relation).
    void nameAll(const Form &form);

    // Gives the control the name that the game's state gives it now.
    void rename(const Control &control);

    // Has screen readers say `text` once.
    void announce(const std::string &text);

private:
    WidgetOf widgetOf_;
    Announcer *announcer_;
};

} // namespace ui
