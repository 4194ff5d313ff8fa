// The page's input as the backend takes it: the entry points that the
// page's event listeners (events.js, menubar.js) call with the handle of
// the element an event reached.
#pragma once

extern "C" {

// A click, a tap, or Space on a button; a menu item chosen.
void quarvel_click(int element);
// The mouse moved over an element: buttons and modifiers as the controls'
// bit masks, the position in CSS pixels inside the element.
void quarvel_mousemove(int element, int buttons, int modifiers, double x, double y);
// A key went down with the focus on `focused`: the character it types (0
// for none), the letter of its key for access keys (0 for none), the
// modifiers. Returns whether the game took it, so the browser must not.
int quarvel_key(int character, int letter, int modifiers, int focused);
}
