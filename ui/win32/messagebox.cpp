// The message box, through MessageBoxW. Its own message loop goes on
// delivering the posted timer ticks, so a celebration runs on behind it.
// Once it closes, its owner is the active window again, and the keys come
// back to the control that had them.
#include "messagebox.h"

#include "convert.h"

namespace ui
{

void showMessageBox(HWND owner, const std::string &text, const std::string &title)
{
    MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), MB_OK);
    // Windows activates the owner on its own; Wine with no window manager
    // now and then leaves no window of the program active.
    if (GetActiveWindow() != owner)
        SetActiveWindow(owner);
}

} // namespace ui
