// Windows's messages into the controls' terms. The message loop does what
// IsDialogMessage would for Tab and access keys, without what else it does:
// it would press a button for a bare letter typed on a control that does not
// ask for characters, and treat Return and Escape as a dialog's OK and
// Cancel, where the game wants them as key presses on a tile.
#include "input.h"

#include "backend.h"

#include "ui/focus.h"
#include "ui/input.h"

#include <algorithm>
#include <cctype>
#include <commctrl.h>
#include <vector>
#include <windowsx.h>

namespace ui
{

namespace
{

bool down(int key)
{
    return GetKeyState(key) < 0;
}

MouseButtons buttonsOf(WPARAM wParam)
{
    return {(wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0, (wParam & MK_MBUTTON) != 0};
}

Modifiers mouseModifiers(WPARAM wParam)
{
    return {(wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0, down(VK_MENU)};
}

Modifiers keyModifiers()
{
    Modifiers m{down(VK_SHIFT), down(VK_CONTROL), down(VK_MENU)};
    // AltGr comes as Ctrl+Alt on Windows; its characters are plain typing.
    if (m.control && m.alt)
        m.control = m.alt = false;
    return m;
}

// Alt and a letter: the button whose caption marks that letter takes the
// focus and is pressed. Menus answer the letters no button has.
bool pressAccessKey(Win32Backend &backend, wchar_t character)
{
    if (character > 127)
        return false;
    const char key = static_cast<char>(std::toupper(int(character)));
    return pressAccessKey(backend, accessKeyButton(backend.form(), key));
}

LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR)
{
    Win32Backend *backend = Win32Backend::of(GetAncestor(button, GA_ROOT));
    Control *control = backend ? backend->controlOf(button) : nullptr;
    switch (message) {
    case WM_LBUTTONDOWN:
        pressed(button);
        break;
    case WM_LBUTTONDBLCLK:
        // A quick second click is another click, as on Linux; an owner-drawn
        // button would report a double click instead.
        pressed(button);
        return DefSubclassProc(button, WM_LBUTTONDOWN, wParam, lParam);
    case WM_CHAR:
        if (control)
            raiseCharacter(*control, char32_t(wParam), keyModifiers());
        break;
    case WM_MOUSEMOVE:
        if (control)
            raiseMouseMove(*control, buttonsOf(wParam), mouseModifiers(wParam),
                           GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), backend->dpi());
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(button, buttonProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

void raiseClick(Win32Backend &backend, int id)
{
    if (Control *control = backend.controlOfId(id))
        raiseClick(*control);
}

void raiseFormMouseMove(Win32Backend &backend, WPARAM wParam, LPARAM lParam)
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (ChildWindowFromPointEx(backend.window(), at, CWP_SKIPINVISIBLE) != backend.window())
        return;
    raiseMouseMove(backend.form(), buttonsOf(wParam), mouseModifiers(wParam), at.x, at.y,
                   backend.dpi());
}

void pressed(HWND window)
{
    Win32Backend *backend = Win32Backend::of(GetAncestor(window, GA_ROOT));
    if (Control *control = backend ? backend->controlOf(window) : nullptr)
        pressFocus(*backend, *control);
}

void watchButton(HWND button)
{
    SetWindowSubclass(button, buttonProc, 0, 0);
}

bool translateKeys(const MSG &message)
{
    const bool tab = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
    if (!tab && message.message != WM_SYSCHAR)
        return false;
    Win32Backend *backend = Win32Backend::of(GetAncestor(message.hwnd, GA_ROOT));
    if (!backend)
        return false;
    // Where no control has the focus, even a bare key comes as WM_SYSCHAR;
    // only one typed with Alt is an access key.
    if (!tab)
        return (HIWORD(message.lParam) & KF_ALTDOWN) &&
               pressAccessKey(*backend, wchar_t(message.wParam));
    if (down(VK_CONTROL) || down(VK_MENU))
        return false;
    tabFocus(*backend, backend->form(), down(VK_SHIFT) ? -1 : 1);
    return true;
}

} // namespace ui
