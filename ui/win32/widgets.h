// The window classes that Windows has no ready match for: the game's window,
// whose client area is the form; the picture box that frames the board; and
// the image that stretches its icon. Buttons and labels are Windows's own.
#pragma once

#include <windows.h>

namespace ui
{

inline constexpr wchar_t windowClass[] = L"QuarvelWindow";
inline constexpr wchar_t pictureBoxClass[] = L"QuarvelPictureBox";
inline constexpr wchar_t imageClass[] = L"QuarvelImage";

// What a timer's tick posts to the window; WPARAM says which timer.
inline constexpr UINT tickMessage = WM_APP + 1;

// Registers the three classes; a class that cannot be registered is a
// failure to start.
void registerWindowClasses(HINSTANCE instance);

// Whether the window is one of the game's own windows (windowClass).
bool isGameWindow(HWND window);

// The icon an image window shows, stretched to its size; it stays owned by
// the caller.
void setImageIcon(HWND image, HICON icon);

} // namespace ui
