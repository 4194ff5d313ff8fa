// Windows's input turned into the controls' events: clicks, the mouse moving
// over a button or the window's bare surface, characters typed on a
// control; and the keyboard's way round the window: Tab and Shift+Tab in the
// tab order, and Alt with a button's access key.
#pragma once

#include <windows.h>

namespace ui
{

class Win32Backend;

// Raises Click for the control behind a WM_COMMAND identifier.
void raiseClick(Win32Backend &backend, int id);

// Raises the form's MouseMove for the window's WM_MOUSEMOVE, where no
// visible control lies under the pointer.
void raiseFormMouseMove(Win32Backend &backend, WPARAM wParam, LPARAM lParam);

// A press of the mouse on a control's window (its border included): the
// focus moves by the shared rule, before the toolkit's own handling.
void pressed(HWND window);

// Makes a button window raise its control's KeyPress and MouseMove.
void watchButton(HWND button);

// For the message loop, before TranslateMessage: handles Tab, Shift+Tab and
// a button's Alt access key in the game's window. True when handled.
bool translateKeys(const MSG &message);

} // namespace ui
