// The page's presses, clicks, mouse moves and keys into the controls' events,
// through the shared gate and the shared focus rules: a press moves the focus
// as on the desktops, whatever the browser would do; Tab and Shift+Tab follow
// the tab order, Alt and a letter press the button or open the menu that
// marks it, and a character typed on a control is its key press.
#include "input.h"

#include "backend.h"
#include "dom.h"

#include "ui/focus.h"
#include "ui/input.h"
#include "ui/runtime.h"
#include "ui/units.h"

#include <emscripten/emscripten.h>

using namespace ui;

namespace
{

Modifiers modifiersOf(int mask)
{
    return {(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
}

// The control behind an element, while the program runs.
Control *controlAt(int element)
{
    WebBackend *backend = WebBackend::active();
    return backend && !ended() ? backend->controlOf(element) : nullptr;
}

// Alt and a menu's access key: the menu opens, as Alt and a button's key
// presses the button (typeKey).
bool openMenu(WebBackend &backend, char letter)
{
    for (const Control *c : backend.form().controls()) {
        if (c->kind() == Kind::Menu && c->container() == &backend.form() && c->takesInput() &&
            accessKey(c->caption()) == letter) {
            menuOpen(backend.elementOf(*c));
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int quarvel_press(int element)
{
    WebBackend *backend = WebBackend::active();
    Control *control = controlAt(element);
    if (!backend || !control)
        return 0;
    pressFocus(*backend, *control);
    return backend->focused() == control;
}

EMSCRIPTEN_KEEPALIVE void quarvel_click(int element)
{
    if (Control *control = controlAt(element))
        raiseClick(*control);
}

EMSCRIPTEN_KEEPALIVE void quarvel_mousemove(int element, int buttons, int modifiers, double x,
                                            double y)
{
    // The form's own MouseMove comes only from its bare surface: the page
    // names the element under the pointer, not the ones around it.
    Control *control = controlAt(element);
    if (control)
        raiseMouseMove(*control, {(buttons & 1) != 0, (buttons & 2) != 0, (buttons & 4) != 0},
                       modifiersOf(modifiers), x, y, standardDpi);
}

EMSCRIPTEN_KEEPALIVE int quarvel_key(int character, int letter, int modifiers)
{
    WebBackend *backend = WebBackend::active();
    if (!backend || ended())
        return 0;
    const Modifiers m = modifiersOf(modifiers);
    // With Alt the key's letter counts, whatever character the layout puts
    // on it; a letter that no button marks opens the menu that marks it.
    if (m.alt && !m.control)
        return letter && (typeKey(*backend, backend->form(), char32_t(letter), m) ||
                          openMenu(*backend, char(letter)));
    if (character <= 0 || !typeKey(*backend, backend->form(), char32_t(character), m))
        return 0;
    // Space still presses the focused button, by the browser's own default;
    // Return is the tile's key press alone, not a press of the button.
    return character != ' ';
}
}
