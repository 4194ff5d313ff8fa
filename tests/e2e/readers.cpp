// The reader for the platform under test, and the controls it maps.
#include "readers.h"

#include "app/form1.h"
#include "xsession.h"

#include <algorithm>

namespace e2e
{

std::vector<ControlPlace> controlPlaces()
{
    const Form1 form;
    const std::vector<ui::Control *> &all = form.controls();
    std::vector<ControlPlace> places;
    for (const ui::Control *c : all) {
        ControlPlace p;
        p.name = c->name();
        if (c->index() >= 0)
            p.name.append(1, '(').append(std::to_string(c->index())).append(1, ')');
        const auto container = std::find(all.begin(), all.end(), c->container());
        p.container = container == all.end() ? -1 : int(container - all.begin());
        p.widget = c->kind() != ui::Kind::Timer && c->kind() != ui::Kind::Menu;
        places.push_back(p);
    }
    return places;
}

std::unique_ptr<ControlsReader> openControlsReader(double timeoutSeconds)
{
    return underWine() ? openWineReader(timeoutSeconds) : openAtspiReader(timeoutSeconds);
}

} // namespace e2e
