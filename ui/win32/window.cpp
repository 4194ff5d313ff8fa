// The game's window as a whole: its size worked out from the form's client
// area at the window's DPI, the menu bar made from the menu controls, a new
// layout when the DPI changes, and the keyboard focus: where the shared
// rules put it, and kept across activation.
#include "backend.h"

#include "convert.h"

#include "ui/focus.h"
#include "ui/input.h"
#include "ui/placement.h"

namespace ui
{

void Win32Backend::rebuildMenus()
{
    // Menus of the menu bar, each with its items; the game nests no deeper.
    HMENU bar = CreateMenu();
    std::unordered_map<const Control *, HMENU> popups;
    int id = firstId;
    for (const Control *c : form().controls()) {
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

SIZE Win32Backend::frameSizeAt(int dpi) const
{
    const PixelRect client = placedPixels(form(), dpi);
    RECT r{0, 0, client.width(), client.height()};
    AdjustWindowRectExForDpi(&r, windowStyle, TRUE, 0, UINT(dpi));
    return {r.right - r.left, r.bottom - r.top};
}

void Win32Backend::fitToClientArea(const RECT *suggested)
{
    // Windows's suggestion for a new DPI is the size WM_GETDPISCALEDSIZE
    // answered, placed where the window keeps its place on the monitor.
    if (suggested) {
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     quietly);
    } else {
        const SIZE size = frameSizeAt(dpi_);
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, quietly | SWP_NOMOVE);
    }
    // A menu bar that wraps takes more height than AdjustWindowRectEx allows
    // for: make up what the client area lacks.
    const PixelRect want = placedPixels(form(), dpi_);
    RECT frame, client;
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    if (client.right != want.width() || client.bottom != want.height())
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + want.width() - client.right,
                     frame.bottom - frame.top + want.height() - client.bottom,
                     quietly | SWP_NOMOVE);
}

void Win32Backend::show(int showCommand)
{
    // The first focus, given once the window is active.
    if (const Control *first = focusStep(form(), nullptr, 1))
        lastFocus_ = windowOf(*first);
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
    // takes no input any more. Where no control had it, none gets it.
    const Control *control = controlOf(lastFocus_);
    if (active && control && control->takesInput())
        SetFocus(lastFocus_);
}

Control *Win32Backend::focused() const
{
    // The window itself, or no window of the game at all: no control.
    return controlOf(GetFocus());
}

void Win32Backend::setFocused(Control *control, FocusCause cause)
{
    // Every move of the focus comes through here, so this is also where it
    // goes back to when the window is activated again.
    lastFocus_ = control ? windowOf(*control) : nullptr;
    SetFocus(control ? windowOf(*control) : window_);
    if (cause == FocusCause::Keyboard)
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void Win32Backend::dpiChanged(int dpi, const RECT &suggested)
{
    // Everything measured in pixels anew: places, picture box borders,
    // fonts, icons; bevels and focus marks are drawn at the new DPI.
    dpi_ = dpi;
    for (Control *c : form().controls()) {
        if (HWND w = windowOf(*c)) {
            place(*c);
            setFont(*c);
            InvalidateRect(w, nullptr, TRUE);
        }
    }
    setStyle(form());
    fitToClientArea(&suggested);
}

} // namespace ui
