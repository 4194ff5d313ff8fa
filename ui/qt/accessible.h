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

    // Gives the control the name that the game's state gives it now.
    void rename(const Control &control);

    // Has screen readers say `text` once.
    void announce(const std::string &text);

private:
    WidgetOf widgetOf_;
    Announcer *announcer_;
};

} // namespace ui
