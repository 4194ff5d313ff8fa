// The page's clicks, mouse moves and keys into the controls' events, through
// the shared gate: Tab and Shift+Tab follow the tab order, Alt and a letter
// press the button or open the menu that marks it, and a character typed on
// a control is its key press.
#include "input.h"

#include "backend.h"
#include "dom.h"

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

// Alt and a letter: the button that marks it takes the focus and is
// pressed, as on the desktops; menus answer the letters no button has.
bool pressAccessKey(WebBackend &backend, char letter)
{
    if (Control *button = accessKeyButton(backend.form(), letter)) {
        domFocus(backend.elementOf(*button));
        backend.showFocusCues();
        raiseClick(*button);
        return true;
    }
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

EMSCRIPTEN_KEEPALIVE int quarvel_key(int character, int letter, int modifiers, int focused)
{
    WebBackend *backend = WebBackend::active();
    if (!backend || ended())
        return 0;
    const Modifiers m = modifiersOf(modifiers);
    if (character == '\t' && !m.control && !m.alt) {
        const Control *next =
            focusStep(backend->form(), backend->controlOf(focused), m.shift ? -1 : 1);
        if (next)
            domFocus(backend->elementOf(*next));
        backend->showFocusCues();
        return 1;
    }
    if (m.alt && !m.control)
        return letter && pressAccessKey(*backend, char(letter));
    Control *control = backend->controlOf(focused);
    if (!control || control->kind() == Kind::Menu || character <= 0 ||
        !raiseCharacter(*control, char32_t(character), m))
        return 0;
    // Space still presses the button it was typed on, as on the desktops;
    // Return is the tile's key press alone, not a press of the button.
    return character != ' ';
}
}
