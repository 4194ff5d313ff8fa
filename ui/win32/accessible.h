// The roles that screen readers hear for the game's own window classes.
// Windows's standard accessible object gives a window class it does not know
// the plain client role; the picture box is a grouping and an image a
// graphic, as on Linux. Their names are their window texts (backend.cpp).
#pragma once

#include <windows.h>

namespace ui
{

// Answers WM_GETOBJECT for the window's client area with Windows's standard
// object for it, its own role replaced by `role` (ROLE_SYSTEM_GROUPING,
// ROLE_SYSTEM_GRAPHIC); 0 for any other object, which DefWindowProc answers.
LRESULT accessibleWithRole(HWND window, WPARAM wParam, LPARAM lParam, long role);

} // namespace ui
