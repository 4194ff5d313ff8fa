// Where the keyboard focus goes, decided here once for every backend: at
// start-up, on a press, on Tab and Shift+Tab, on an access key, on a key
// typed, and when the control that has it stops taking input. A backend
// says where its toolkit's focus is and moves it when told; it never leaves
// the choice to the toolkit.
#pragma once

#include "controls.h"
#include "input.h"

#include <vector>

namespace ui
{

// What moved the focus: the pointer, or the keyboard, after which the
// focused control shows its focus mark.
enum class FocusCause { Press, Keyboard };

// A backend's keyboard focus, as the rules below move it.
class FocusHolder
{
public:
    virtual ~FocusHolder() = default;
    // The control with the keyboard focus; null while no control has it
    // (the window itself holds it then, and keys reach no control).
    virtual Control *focused() const = 0;
    // Moves the focus to `control`; null takes it from every control.
    virtual void setFocused(Control *control, FocusCause cause) = 0;
};

// The controls with a TabIndex, in focus order; equal indexes keep the order
// of creation. These are the controls that take the focus: the board, the
// tiles and the two command buttons; labels, images and the window do not.
std::vector<Control *> tabOrder(const Form &form);

// The control that Tab (step 1) or Shift+Tab (step -1) moves the focus to
// from `current`: the next in focus order that takes input, wrapping round.
// From no control, or one outside the order, the first or the last. Null
// when no control takes the focus.
Control *focusStep(const Form &form, const Control *current, int step);

// The button whose caption marks `key` (upper case) as its access key and
// that takes input; null for none. Menus answer the letters no button has.
Control *accessKeyButton(const Form &form, char key);

// At start-up: the first control in focus order, the board.
void focusFirst(FocusHolder &focus, Form &form);

// A press of the mouse or a finger on `pressed`, the control right under it
// (the form on its bare surface). A control that takes the focus and input
// gets it, before its click: a tile, the board on its own surface (the free
// cell, a seam, its border), a command button. A press on a label, an
// image, the bare form or a locked board leaves the focus where it is.
void pressFocus(FocusHolder &focus, Control &pressed);

// Tab (step 1) or Shift+Tab (step -1).
void tabFocus(FocusHolder &focus, const Form &form, int step);

// An access key on a command button: the button takes the focus, then is
// pressed, as a button's mnemonic does on Windows. False, and nothing
// happens, when `button` is null or takes no input.
bool pressAccessKey(FocusHolder &focus, Control *button);

// A key typed with the focus where `focus` says: Tab and Shift+Tab move it;
// Alt and a letter presses the button that marks the letter, and other Alt
// and Ctrl chords are left to the menus and the toolkit; a character is the
// focused control's key press. True when the game took the key. Space also
// presses a focused button, which each toolkit does on its own after this.
bool typeKey(FocusHolder &focus, Form &form, char32_t character, Modifiers modifiers);

// Call before a write of Enabled or Visible, and pass what it returns to
// focusAfterWrite once the write is done: a focused control that stops
// taking input loses the focus to no control, so that a win locking the
// board while a tile has it leaves the keys nowhere until Tab (to the first
// control that takes input), Shift+Tab (to the last), an access key or a
// press moves it. Toolkits differ here (one moves the focus on, one leaves
// it on the locked tile); this decides it.
Control *focusBeforeWrite(const FocusHolder &focus, Property property);
void focusAfterWrite(FocusHolder &focus, Control *before);

} // namespace ui
