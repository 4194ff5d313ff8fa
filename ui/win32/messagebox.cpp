// The message box, through MessageBoxW. Its own message loop goes on
// delivering the posted timer ticks, so a celebration runs on behind it.
#include "messagebox.h"

#include "convert.h"

namespace ui
{

void showMessageBox(HWND owner, const std::string &text, const std::string &title)
{
    MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), MB_OK);
}

} // namespace ui
