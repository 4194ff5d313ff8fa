// Windows backend: builds the child windows, mirrors property writes onto
// them and raises the controls' events from Windows's messages.
#include "backend.h"

#include "convert.h"
#include "failure.h"
#include "input.h"
#include "messagebox.h"
#include "widgets.h"

#include "ui/accessible.h"
#include "ui/placement.h"
#include "ui/units.h"

#include <algorithm>
#include <commctrl.h>
#include <oleacc.h>
#include <utility>

namespace ui
{

Win32Backend::Win32Backend(Form &form) : form_(form)
{
    window_ = windowOrFail(CreateWindowExW(0, windowClass, L"", windowStyle, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), this),
                           L"create its window");
    dpi_ = int(GetDpiForWindow(window_));
    int id = firstId;
    for (Control *c : form_.controls())
        build(*c, id++);
    // The order of creation is the stacking order, first at the bottom.
    for (Control *c : form_.controls())
        if (HWND w = windowOf(*c); w && w != window_)
            SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    makeAnnouncer(id);
    // The menu bar first: the window's size is worked out below it.
    rebuildMenus();
    syncAll(form_);
    for (Control *c : form_.controls()) {
        syncAll(*c);
        rename(*c);
    }
    form_.setObserver(this);
    setPlatform(this);
}

Win32Backend::~Win32Backend()
{
    if (platform() == this)
        setPlatform(nullptr);
    if (form_.observer() == this)
        form_.setObserver(nullptr);
    timers_.clear();
    if (IsWindow(window_))
        DestroyWindow(window_);
    if (annotations_)
        annotations_->Release();
    for (const auto &[control, font] : fonts_)
        DeleteObject(font);
    for (const auto &[colour, brush] : brushes_)
        DeleteObject(brush);
}

Win32Backend *Win32Backend::of(HWND window)
{
    // The game's window keeps its backend from WM_NCCREATE on.
    return isGameWindow(window)
               ? reinterpret_cast<Win32Backend *>(GetWindowLongPtrW(window, GWLP_USERDATA))
               : nullptr;
}

HWND Win32Backend::windowOf(const Control &control) const
{
    if (control.kind() == Kind::Form)
        return window_;
    const auto it = windows_.find(&control);
    return it == windows_.end() ? nullptr : it->second;
}

Control *Win32Backend::controlOf(HWND window) const
{
    const auto it = controlOf_.find(window);
    return it == controlOf_.end() ? nullptr : it->second;
}

Control *Win32Backend::controlOfId(int id) const
{
    const auto &all = form_.controls();
    const int index = id - firstId;
    return index >= 0 && index < int(all.size()) ? all[std::size_t(index)] : nullptr;
}

HFONT Win32Backend::fontOf(const Control &control) const
{
    const auto it = fonts_.find(&control);
    return it == fonts_.end() ? nullptr : it->second;
}

HBRUSH Win32Backend::brushOf(Color colour)
{
    if (isSystemColor(colour))
        return GetSysColorBrush(systemColorIndex(colour));
    HBRUSH &brush = brushes_[colour];
    if (!brush)
        brush = CreateSolidBrush(toColorRef(colour));
    return brush;
}

void Win32Backend::build(Control &control, int id)
{
    const wchar_t *windowClassName = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    switch (control.kind()) {
    case Kind::Form:
    case Kind::Menu: // the menu bar is made whole from the menu controls
        return;
    case Kind::Timer:
        timers_[&control] = std::make_unique<TickSource>(window_, tickMessage, WPARAM(id));
        return;
    case Kind::CommandButton:
        windowClassName = WC_BUTTONW;
        break;
    case Kind::Label:
        // SS_NOTIFY: a label takes the mouse, so the window's own
        // MouseMove fires only over bare surface.
        windowClassName = WC_STATICW;
        style |= SS_NOTIFY | SS_NOPREFIX;
        break;
    case Kind::PictureBox:
        windowClassName = pictureBoxClass;
        style |= WS_CLIPCHILDREN;
        break;
    case Kind::Image:
        windowClassName = imageClass;
        break;
    }
    const Control *container = control.container();
    HWND parent = container->kind() == Kind::Form ? window_ : windows_.at(container);
    HWND w = windowOrFail(CreateWindowExW(0, windowClassName, L"", style, 0, 0, 0, 0, parent,
                                          reinterpret_cast<HMENU>(INT_PTR(id)),
                                          GetModuleHandleW(nullptr), nullptr),
                          L"create the window of", control.name());
    if (control.kind() == Kind::CommandButton)
        watchButton(w);
    windows_[&control] = w;
    controlOf_[w] = &control;
}

void Win32Backend::syncAll(const Control &control)
{
    if (control.kind() == Kind::Menu)
        return; // in the menu bar already
    for (Property p : mirroringWrites(control))
        sync(control, p);
}

void Win32Backend::writing(const Control &, Property property)
{
    focusBeforeWrite_ = focusBeforeWrite(*this, property);
}

void Win32Backend::written(const Control &control, Property property)
{
    sync(control, property);
    focusAfterWrite(*this, std::exchange(focusBeforeWrite_, nullptr));
    for (const Control *c : hearing_.written(control, property))
        rename(*c);
}

void Win32Backend::handling(const Control &control, Event event)
{
    hearing_.handling(control, event);
}

void Win32Backend::handled(const Control &control, Event event)
{
    const Heard heard = hearing_.handled(control, event, focused());
    for (const Control *c : heard.renamed)
        rename(*c);
    announce(heard.announcement);
}

void Win32Backend::sync(const Control &control, Property property)
{
    if (control.kind() == Kind::Form) {
        switch (property) {
        case Property::Caption:
            SetWindowTextW(window_, toWide(control.caption()).c_str());
            break;
        case Property::Width:
        case Property::Height:
            fitToClientArea(nullptr);
            break;
        case Property::BackColor:
            InvalidateRect(window_, nullptr, TRUE);
            break;
        case Property::Style:
            setStyle(control);
            break;
        default:
            break;
        }
        return;
    }
    if (control.kind() == Kind::Timer) {
        followTimer(*timers_.at(&control), static_cast<const Timer &>(control), property);
        return;
    }
    if (control.kind() == Kind::Menu) {
        rebuildMenus();
        fitToClientArea(nullptr);
        return;
    }

    HWND w = windows_.at(&control);
    switch (property) {
    case Property::Left:
    case Property::Top:
    case Property::Width:
    case Property::Height:
    case Property::Position:
        place(control);
        break;
    case Property::Caption:
        // A label shows its window text, and a button's marks its access
        // key; a tile's is its name alone (rename).
        if (!namedApart(control))
            SetWindowTextW(w, toWide(control.caption()).c_str());
        break;
    case Property::Enabled:
        setTakesInput(control);
        // The controls inside take no input either now, and show it.
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case Property::Visible:
        ShowWindow(w, control.visible() ? SW_SHOWNA : SW_HIDE);
        setTakesInput(control);
        break;
    case Property::BackColor:
    case Property::ForeColor:
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case Property::Font:
        setFont(control);
        break;
    case Property::Style:
        setStyle(control);
        break;
    case Property::TabIndex: // read from the controls whenever Tab is pressed
    case Property::Interval:
        break;
    }
}

void Win32Backend::place(const Control &control)
{
    HWND w = windows_.at(&control);
    RECT before;
    GetClientRect(w, &before);
    // By its edges, so that it meets its neighbours and its container's
    // inside as it does in twips. A picture box's border follows the DPI and
    // the box's place (SWP_FRAMECHANGED).
    const PixelRect r = placedPixels(control, dpi_);
    SetWindowPos(w, nullptr, r.left, r.top, r.width(), r.height(),
                 quietly | (control.kind() == Kind::PictureBox ? SWP_FRAMECHANGED : 0));
    // An image whose size in pixels changed draws its icon again at the new
    // size. One that only moved keeps the pixels that SetWindowPos carries
    // along: drawn anew on every step of the celebration, the smileys showed
    // erased and half drawn between a move and the next paint.
    if (control.kind() == Kind::Image && (before.right != r.width() || before.bottom != r.height()))
        setStyle(control);
}

void Win32Backend::setStyle(const Control &control)
{
    HWND w = windowOf(control);
    switch (control.kind()) {
    case Kind::Form: {
        const std::string &path = form_.icon();
        const auto big = GetSystemMetricsForDpi(SM_CXICON, UINT(dpi_));
        const auto small = GetSystemMetricsForDpi(SM_CXSMICON, UINT(dpi_));
        SendMessageW(w, WM_SETICON, ICON_BIG, LPARAM(icons_.icon(path, big)));
        SendMessageW(w, WM_SETICON, ICON_SMALL, LPARAM(icons_.icon(path, small)));
        return;
    }
    case Kind::CommandButton: {
        const bool graphical = static_cast<const CommandButton &>(control).graphical();
        auto style = GetWindowLongPtrW(w, GWL_STYLE) & ~LONG_PTR(BS_TYPEMASK);
        SetWindowLongPtrW(w, GWL_STYLE, style | (graphical ? BS_OWNERDRAW : BS_PUSHBUTTON));
        break;
    }
    case Kind::Label: {
        const auto &label = static_cast<const Label &>(control);
        const LONG_PTR align = label.alignment() == Alignment::Center  ? SS_CENTER
                               : label.alignment() == Alignment::Right ? SS_RIGHT
                                                                       : SS_LEFT;
        auto style = GetWindowLongPtrW(w, GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK | WS_BORDER);
        SetWindowLongPtrW(w, GWL_STYLE, style | align | (label.bordered() ? WS_BORDER : 0));
        SetWindowPos(w, nullptr, 0, 0, 0, 0, quietly | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
        break;
    }
    case Kind::Image: {
        const auto &image = static_cast<const Image &>(control);
        const PixelRect r = placedPixels(image, dpi_);
        const int side = std::max(r.width(), r.height());
        setImageIcon(w, icons_.icon(image.picture(), side));
        return;
    }
    default:
        return;
    }
    InvalidateRect(w, nullptr, TRUE);
}

void Win32Backend::setFont(const Control &control)
{
    if (control.kind() != Kind::CommandButton && control.kind() != Kind::Label)
        return;
    HFONT font = createFont(control.font(), dpi_);
    SendMessageW(windows_.at(&control), WM_SETFONT, WPARAM(font), TRUE);
    HFONT &kept = fonts_[&control];
    if (kept)
        DeleteObject(kept);
    kept = font;
}

void Win32Backend::ticked(WPARAM id)
{
    Control *control = controlOfId(int(id));
    if (!control || control->kind() != Kind::Timer)
        return;
    TickSource &ticks = *timers_.at(control);
    ticks.taken();
    if (ticks.running())
        static_cast<Timer *>(control)->fireTimer();
}

void Win32Backend::messageBox(const std::string &text, const std::string &title)
{
    showMessageBox(window_, text, title);
}

void Win32Backend::reportError(const std::string &line)
{
    reportToDebugger(line);
}

void Win32Backend::endProgram()
{
    ShowWindow(window_, SW_HIDE);
    for (auto &[control, ticks] : timers_)
        ticks->stop();
    PostQuitMessage(0);
}

} // namespace ui
