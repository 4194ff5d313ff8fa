// What screen readers hear for the controls, as the page's accessibility
// tree takes it: roles and names in ARIA attributes, from the rules that
// every backend shares.
#include "backend.h"

#include "dom.h"

#include "ui/accessible.h"

namespace ui
{

void WebBackend::rename(const Control &control)
{
    const int element = elementOf(control);
    switch (control.kind()) {
    case Kind::PictureBox:
        domAttribute(element, "role", "group");
        domAttribute(element, "aria-label", accessibleName(control).c_str());
        break;
    case Kind::Image:
        domAttribute(element, "alt", accessibleName(control).c_str());
        break;
    case Kind::Label: {
        // A label's text is the game's status; one named by a label reads
        // as both captions: "Total Clicks: 7".
        domAttribute(element, "role", "status");
        const Control *label = labelOf(control);
        const std::string name = label ? label->caption() + ' ' + control.caption() : "";
        domAttribute(element, "aria-label", label ? name.c_str() : nullptr);
        break;
    }
    default:
        break;
    }
}

} // namespace ui
