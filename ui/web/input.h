// The page's input as the backend takes it: the entry points that the
// page's event listeners (events.js, menubar.js) call with the handle of
// the element an event reached.
#pragma once

extern "C" {

// A press of the mouse or a finger on an element: the focus moves by the
// shared rules. Returns whether the browser's own default (which focuses
// what it can focus) agrees, so that the page lets it go on.
int quarvel_press(int element);
// A click, a tap, or Space on a button; a menu item chosen.
void quarvel_click(int element);
// The mouse moved over an element: buttons and modifiers as the controls'
// bit masks, the position in CSS pixels inside the element.
void quarvel_mousemove(int element, int buttons, int modifiers, double x, double y);
// A key went down: the character it types (0 for none), the letter of its
// key for access keys (0 for none), the modifiers. Returns whether the game
// took it, so the browser must not.
int quarvel_key(int character, int letter, int modifiers);
}
