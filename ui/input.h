// Input as every backend hands it to the controls: the one gate that lets a
// click, a key or a mouse move through only to a control that takes input,
// the mouse's buttons and the modifier keys as the events' bit masks,
// positions in twips, which typed characters are a control's key press and
// the access keys that captions mark. Where the focus goes is focus.h's.
#pragma once

#include "controls.h"

#include <string>

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

} // namespace ui
