// Input as every backend hands it to the controls: the one gate that lets a
// click, a key or a mouse move through only to a control that takes input,
// the mouse's buttons and the modifier keys as the events' bit masks,
// positions in twips, which typed characters are a control's key press,
// access keys and the focus order.
#pragma once

#include "controls.h"

#include <string>
#include <vector>

namespace ui
{

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

struct MouseButtons {
    bool left = false;
    bool right = false;
    bool middle = false;
};

// Each raise below reaches the handler only where input can reach the
// control (Control::takesInput): a tile inside the disabled board gets
// nothing, even where the window system left it the keyboard focus. Each
// returns whether the event was raised.

bool raiseClick(Control &control);

// Raises KeyPress with a key code as it stands.
bool raiseKeyPress(Control &control, Int16 keyAscii);

// Raises MouseMove with button mask 1/2/4 (left, right, middle), shift mask
// 1/2/4 (Shift, Ctrl, Alt) and the position given in pixels at `dpi`.
bool raiseMouseMove(Control &control, MouseButtons buttons, Modifiers modifiers, double x, double y,
                    int dpi);

// Raises KeyPress for a character typed on the control. Tab (and Shift+Tab)
// moves the focus instead, chords with Alt or Ctrl belong to access keys and
// shortcuts, and a key code is 1 to 255: anything else raises nothing.
bool raiseCharacter(Control &control, char32_t character, Modifiers modifiers);

// The character after the caption's "&", upper case; 0 when there is none.
// "&&" stands for a plain "&".
char accessKey(const std::string &caption);

// A caption as shown, in three parts: the text before its access key, the
// key as written (empty when there is none) and the text after it; the
// marks are gone and "&&" is a plain "&".
struct ShownCaption {
    std::string before, key, after;
};
ShownCaption shownCaption(const std::string &caption);

// The controls with a TabIndex, in focus order; equal indexes keep the order
// of creation.
std::vector<Control *> tabOrder(const Form &form);

// The control that Tab (step 1) or Shift+Tab (step -1) moves the focus to
// from `current`: the next in focus order that takes input, wrapping round.
// From no control, or one outside the order, the first or the last. Null
// when no control takes the focus; also the first focus at start-up.
Control *focusStep(const Form &form, const Control *current, int step);

// The button whose caption marks `key` (upper case) as its access key and
// that takes input; null for none. Menus answer the letters no button has.
Control *accessKeyButton(const Form &form, char key);

} // namespace ui
