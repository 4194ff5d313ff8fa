// The game's window as a whole: its size worked out from the form's client
// area at the window's DPI, the menu bar made from the menu controls, a new
// layout when the DPI changes, and the focus kept across activation.
#include "backend.h"

#include "convert.h"

#include "ui/input.h"
#include "ui/units.h"

namespace ui
{

void Win32Backend::rebuildMenus()
{
    // Menus of the menu bar, each with its items; the game nests no deeper.
    HMENU bar = CreateMenu();
    std::unordered_map<const Control *, HMENU> popups;
    int id = firstId;
    for (const Control *c : form_.controls()) {
        const int itemId = id++;
        if (c->kind() != Kind::Menu || !c->visible())
            continue;
        const std::wstring text = toWide(c->caption());
        const UINT state = c->enabled() ? MF_ENABLED : MF_GRAYED;
        if (c->container()->kind() == Kind::Form) {
            HMENU popup = CreatePopupMenu();
            popups[c] = popup;
            AppendMenuW(bar, MF_POPUP | state, UINT_PTR(popup), text.c_str());
        } else if (const auto it = popups.find(c->container()); it != popups.end()) {
            AppendMenuW(it->second, MF_STRING | state, UINT_PTR(itemId), text.c_str());
        }
    }
    HMENU old = GetMenu(window_);
    SetMenu(window_, bar);
    if (old)
        DestroyMenu(old);
}

void Win32Backend::fitToClientArea(const RECT *suggested)
{
    const int width = toPixels(form_.width(), dpi_), height = toPixels(form_.height(), dpi_);
    RECT r{0, 0, width, height};
    AdjustWindowRectExForDpi(&r, windowStyle, TRUE, 0, UINT(dpi_));
    UINT flags = quietly | (suggested ? 0 : SWP_NOMOVE);
    const int x = suggested ? suggested->left : 0, y = suggested ? suggested->top : 0;
    SetWindowPos(window_, nullptr, x, y, r.right - r.left, r.bottom - r.top, flags);
    // A menu bar that wraps takes more height than AdjustWindowRectEx allows
    // for: make up what the client area lacks.
    RECT client;
    GetClientRect(window_, &client);
    if (client.right != width || client.bottom != height)
        SetWindowPos(window_, nullptr, 0, 0, r.right - r.left + width - client.right,
                     r.bottom - r.top + height - client.bottom, quietly | SWP_NOMOVE);
}

void Win32Backend::show(int showCommand)
{
    for (Control *c : tabOrder(form_)) {
        if (HWND w = windowOf(*c); w && c->takesInput()) {
            lastFocus_ = w;
            break;
        }
    }
    // Focus marks stay hidden until the keyboard is used, unless the player
    // asked Windows to show them always.
    BOOL alwaysShown = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
    if (!alwaysShown)
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    ShowWindow(window_, showCommand);
    if (lastFocus_)
        SetFocus(lastFocus_);
}

void Win32Backend::activated(bool active)
{
    // Windows gives the focus to the window itself when it is activated;
    // the control that had it gets it back, as in a dialog box, unless it
    // takes no input any more.
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus))
            lastFocus_ = focus;
        return;
    }
    const Control *control = controlOf(lastFocus_);
    if (control && control->takesInput())
        SetFocus(lastFocus_);
}

void Win32Backend::dpiChanged(int dpi, const RECT &suggested)
{
    dpi_ = dpi;
    for (Control *c : form_.controls()) {
        if (windows_.count(c)) {
            place(*c);
            setFont(*c);
        }
    }
    setStyle(form_);
    fitToClientArea(&suggested);
}

} // namespace ui
