// What screen readers hear for the controls, as the page's accessibility
// tree takes it: roles and names in ARIA attributes, from the rules that
// every backend shares, and the one polite live region that says what each
// event announces.
#include "backend.h"

#include "dom.h"

#include "ui/accessible.h"

namespace ui
{

void WebBackend::rename(const Control &control)
{
    const int element = elementOf(control);
    const Control *box = control.container();
    if (control.kind() == Kind::Form) {
        // The game's window is an application: a screen reader hands it
        // every key ("a" on a tile among them) rather than reading the page
        // with them.
        domAttribute(root_, "role", "application");
        domAttribute(root_, "aria-label", control.caption().c_str());
    } else if (control.kind() == Kind::PictureBox) {
        domAttribute(element, "role", "group");
        domAttribute(element, "aria-label", accessibleName(control).c_str());
    } else if (control.kind() == Kind::Image) {
        domAttribute(element, "alt", accessibleName(control).c_str());
    } else if (box && box->kind() == Kind::PictureBox) {
        // A tile: its number and its place.
        domAttribute(element, "aria-label", accessibleName(control).c_str());
    }
    // A label is read by its text: "Total Clicks:", then the count. What a
    // change of it says is the live region's.
}

void WebBackend::announce(const Announcement &heard)
{
    // Neither Chromium nor Firefox has Orca speak a focused button's new
    // name: the live region says it with the rest.
    if (!heard.empty())
        domAnnounce(announcer_, heard.text().c_str());
}

} // namespace ui
