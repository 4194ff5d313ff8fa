// The tip's message box: Windows's own, owned by the game's window.
#pragma once

#include <string>
#include <windows.h>

namespace ui
{

// Shows the text with a single OK button and no icon, and returns when the
// player closes it. The box is modal to `owner`, as every Windows program's:
// the window takes no input, and cannot be closed, until the box is gone.
void showMessageBox(HWND owner, const std::string &text, const std::string &title);

} // namespace ui
