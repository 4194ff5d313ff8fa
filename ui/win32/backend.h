// The Windows backend: one child window per control, kept in step with every
// property write, and Windows's input turned into the controls' events.
#pragma once

#include "icons.h"
#include "timer.h"
#include "ui/controls.h"
#include "ui/focus.h"
#include "ui/hearing.h"
#include "ui/runtime.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <windows.h>

struct IAccPropServices;

namespace ui
{

class Win32Backend : public ControlObserver, public Platform, public FocusHolder
{
public:
    // Builds the window and its child windows from the form's controls as
    // they stand, then mirrors every later write. Becomes the active
    // platform.
    explicit Win32Backend(Form &form);
    ~Win32Backend() override;
    Win32Backend(const Win32Backend &) = delete;
    Win32Backend &operator=(const Win32Backend &) = delete;

    // Shows the window (ShowWindow's nCmdShow) with the keyboard focus on
    // the first control in the tab order.
    void show(int showCommand);

    // The backend of one of the game's top-level windows; null for others.
    static Win32Backend *of(HWND window);

    Form &form() const { return form_; }
    HWND window() const { return window_; }
    int dpi() const { return dpi_; }
    // The child window of a control, or the window itself for the form;
    // null for timers and menus.
    HWND windowOf(const Control &control) const;
    Control *controlOf(HWND window) const;
    // The control behind a WM_COMMAND identifier: a child window or a menu
    // item.
    Control *controlOfId(int id) const;
    HFONT fontOf(const Control &control) const;
    // A solid brush of the colour, made once and kept until the backend
    // goes: the game uses a handful of colours. System colours come from
    // Windows's own brushes, which follow a change of the colour scheme.
    HBRUSH brushOf(Color colour);
    // The window's outer size for the form's client area at `dpi`, with the
    // menu bar on one line.
    SIZE frameSizeAt(int dpi) const;

    // The window's messages that belong to the backend rather than to a
    // window class.
    void activated(bool active);
    void dpiChanged(int dpi, const RECT &suggested);
    void ticked(WPARAM id);

    void writing(const Control &control, Property property) override;
    void written(const Control &control, Property property) override;
    void handling(const Control &control, Event event) override;
    void handled(const Control &control, Event event) override;
    // The focus on a control's window; on the window itself for none, so
    // that keys reach the window and no control.
    Control *focused() const override;
    void setFocused(Control *control, FocusCause cause) override;
    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;
    void reportError(const std::string &line) override;

private:
    // Control identifiers (WM_COMMAND) start here, clear of IDOK, IDCANCEL
    // and the other identifiers Windows gives a meaning of its own.
    static constexpr int firstId = 100;
    static constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    // SetWindowPos leaving the stacking and the active window alone.
    static constexpr UINT quietly = SWP_NOZORDER | SWP_NOACTIVATE;

    void build(Control &control, int id);
    void sync(const Control &control, Property property);
    void syncAll(const Control &control);
    void place(const Control &control);
    void setStyle(const Control &control);
    void setFont(const Control &control);
    // What screen readers hear (accessible.cpp): the window text of a
    // control that draws none of it, the live region that announces, and
    // whether a control takes input.
    void rename(const Control &control);
    // A control whose window text is its accessible name, drawn by no one:
    // the board, a tile, an image.
    static bool namedApart(const Control &control);
    void makeAnnouncer(int id);
    void announce(const Announcement &heard);
    void setTakesInput(const Control &control);
    // The window as a whole (window.cpp).
    void rebuildMenus();
    // Sizes the window round the form's client area, or to the rectangle
    // Windows suggests for a new DPI.
    void fitToClientArea(const RECT *suggested);

    Form &form_;
    HWND window_ = nullptr;
    int dpi_ = 96;
    std::unordered_map<const Control *, HWND> windows_;
    std::unordered_map<HWND, Control *> controlOf_;
    std::unordered_map<const Control *, HFONT> fonts_;
    std::map<Color, HBRUSH> brushes_;
    std::unordered_map<const Control *, std::unique_ptr<TickSource>> timers_;
    IconCache icons_;
    HWND lastFocus_ = nullptr; // the control's window with the focus; null for none
    Control *focusBeforeWrite_ = nullptr;
    Hearing hearing_;
    HWND announcer_ = nullptr;
    IAccPropServices *annotations_ = nullptr; // null where Windows offers none
};

} // namespace ui
