// Window procedures of the game's own window classes. The window and the
// picture box both hold controls, so both pass their children's commands,
// drawing and colour requests to the backend.
#include "widgets.h"

#include "accessible.h"
#include "backend.h"
#include "convert.h"
#include "failure.h"
#include "input.h"
#include "style.h"

#include "ui/placement.h"
#include "ui/units.h"

#include <oleacc.h>

namespace ui
{

namespace
{

ATOM windowAtom = 0;

Win32Backend *backendAbove(HWND window)
{
    return Win32Backend::of(GetAncestor(window, GA_ROOT));
}

// The colours of a label or image (WM_CTLCOLORSTATIC): its text colour, and
// the background of its own, or of its container where it is transparent.
HBRUSH colourControl(Win32Backend &backend, const Control &control, HDC dc)
{
    const bool transparent =
        control.kind() == Kind::Image ||
        (control.kind() == Kind::Label && static_cast<const Label &>(control).transparent());
    const Control &under = transparent ? *control.container() : control;
    SetTextColor(dc, toColorRef(control.foreColor()));
    SetBkColor(dc, toColorRef(under.backColor()));
    return backend.brushOf(under.backColor());
}

// The width of each side of a picture box's border at the backend's DPI:
// its edges and its inside's edges each rounded on their own, so a side may
// be a pixel wider than the one across. Before the box has its control, the
// border at the window's DPI.
PixelRect borderOf(HWND box)
{
    Win32Backend *backend = backendAbove(box);
    if (const Control *control = backend ? backend->controlOf(box) : nullptr)
        return borderPixels(*control, backend->dpi());
    const int side = toPixels(pictureBoxBorder, int(GetDpiForWindow(box)));
    return {side, side, side, side};
}

// One line of a sunken border's side, `at` pixels in from the box's edge.
void paintBorderLine(HDC dc, const RECT &box, int side, int at, int sideWidth)
{
    // Shadow and highlight on the outer half, darkest shadow and light on
    // the inner half; at a higher DPI each half widens.
    const bool outer = at < sideWidth / 2;
    const bool topLeft = side < 2;
    const int colour = outer ? (topLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT)
                             : (topLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
    RECT r = box;
    switch (side) {
    case 0: // left
        r.left += at, r.right = r.left + 1;
        break;
    case 1: // top
        r.top += at, r.bottom = r.top + 1;
        break;
    case 2: // right
        r.right -= at, r.left = r.right - 1;
        break;
    default: // bottom
        r.bottom -= at, r.top = r.bottom - 1;
        break;
    }
    FillRect(dc, &r, GetSysColorBrush(colour));
}

// Messages a container gets from the controls inside it.
bool fromChild(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result)
{
    Win32Backend *backend = backendAbove(container);
    if (!backend)
        return false;
    switch (message) {
    case WM_COMMAND:
        // A button's BN_CLICKED or a menu item's choice; both carry code 0.
        if (HIWORD(wParam) != BN_CLICKED)
            return false;
        raiseClick(*backend, LOWORD(wParam));
        result = 0;
        return true;
    case WM_DRAWITEM: {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        const Control *control = backend->controlOf(item.hwndItem);
        if (!control || control->kind() != Kind::CommandButton)
            return false;
        drawGraphicalButton(item, static_cast<const CommandButton &>(*control),
                            backend->fontOf(*control), backend->dpi());
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC: {
        const Control *control = backend->controlOf(reinterpret_cast<HWND>(lParam));
        if (!control)
            return false;
        result = reinterpret_cast<LRESULT>(
            colourControl(*backend, *control, reinterpret_cast<HDC>(wParam)));
        return true;
    }
    default:
        return false;
    }
}

// A window fills its background with the brush its container hands out for
// it, as Windows's own static controls do.
void eraseFromContainer(HWND window, HDC dc)
{
    RECT r;
    GetClientRect(window, &r);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(window)));
    FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // The backend comes with CreateWindowExW, before any other message.
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    LRESULT result = 0;
    if (fromChild(window, message, wParam, lParam, result))
        return result;
    Win32Backend *backend = Win32Backend::of(window);
    if (backend) {
        switch (message) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(window, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r,
                     backend->brushOf(backend->form().backColor()));
            return 1;
        }
        case WM_MOUSEMOVE:
            raiseFormMouseMove(*backend, wParam, lParam);
            return 0;
        case WM_ACTIVATE: {
            const LRESULT done = DefWindowProcW(window, message, wParam, lParam);
            backend->activated(LOWORD(wParam) != WA_INACTIVE);
            return done;
        }
        case WM_GETDPISCALEDSIZE:
            // The window's size at the new DPI, so that Windows's suggested
            // rectangle in WM_DPICHANGED fits the client area exactly.
            *reinterpret_cast<SIZE *>(lParam) = backend->frameSizeAt(int(wParam));
            return TRUE;
        case WM_DPICHANGED:
            backend->dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
            return 0;
        case tickMessage:
            backend->ticked(wParam);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
        }
    }
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK pictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (fromChild(box, message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_NCCALCSIZE: {
        // The border is the box's non-client area, so that the controls'
        // positions count from its inside.
        auto *r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS *>(lParam)->rgrc[0]
                         : reinterpret_cast<RECT *>(lParam);
        const PixelRect border = borderOf(box);
        r->left += border.left, r->top += border.top;
        r->right -= border.right, r->bottom -= border.bottom;
        return 0;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(box);
        RECT r;
        GetWindowRect(box, &r);
        OffsetRect(&r, -r.left, -r.top);
        const PixelRect border = borderOf(box);
        const int widths[4] = {border.left, border.top, border.right, border.bottom};
        for (int side = 0; side < 4; ++side)
            for (int at = 0; at < widths[side]; ++at)
                paintBorderLine(dc, r, side, at, widths[side]);
        ReleaseDC(box, dc);
        return 0;
    }
    case WM_ERASEBKGND:
        eraseFromContainer(box, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_LBUTTONDOWN:
        pressed(box);
        return 0;
    case WM_NCHITTEST: {
        // The border, outside the client area, is the box's own: Windows
        // finds nothing there and the press would go nowhere.
        const LRESULT hit = DefWindowProcW(box, message, wParam, lParam);
        return hit == HTNOWHERE ? HTBORDER : hit;
    }
    case WM_NCLBUTTONDOWN:
        pressed(box);
        return DefWindowProcW(box, message, wParam, lParam);
    case WM_GETOBJECT:
        if (const LRESULT object = accessibleWithRole(box, wParam, lParam, ROLE_SYSTEM_GROUPING))
            return object;
        return DefWindowProcW(box, message, wParam, lParam);
    default:
        return DefWindowProcW(box, message, wParam, lParam);
    }
}

LRESULT CALLBACK imageProc(HWND image, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        // Drawn off screen first: the icon's mask and colours go on in two
        // steps, and the screen should never show the black mask alone.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(image, &paint);
        RECT r;
        GetClientRect(image, &r);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        eraseFromContainer(image, memory);
        if (const auto icon = reinterpret_cast<HICON>(GetWindowLongPtrW(image, GWLP_USERDATA)))
            DrawIconEx(memory, 0, 0, icon, r.right, r.bottom, 0, nullptr, DI_NORMAL);
        BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        EndPaint(image, &paint);
        return 0;
    }
    case WM_GETOBJECT:
        if (const LRESULT object = accessibleWithRole(image, wParam, lParam, ROLE_SYSTEM_GRAPHIC))
            return object;
        return DefWindowProcW(image, message, wParam, lParam);
    default:
        return DefWindowProcW(image, message, wParam, lParam);
    }
}

} // namespace

void registerWindowClasses(HINSTANCE instance)
{
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);

    const struct {
        WNDPROC procedure;
        const wchar_t *name;
    } classes[] = {
        {windowProc, windowClass}, {pictureBoxProc, pictureBoxClass}, {imageProc, imageClass}};
    for (const auto &k : classes) {
        c.lpfnWndProc = k.procedure;
        c.lpszClassName = k.name;
        const ATOM atom = RegisterClassExW(&c);
        if (!atom)
            failToStart(L"register the window class", k.name);
        if (k.procedure == windowProc)
            windowAtom = atom;
    }
}

bool isGameWindow(HWND window)
{
    return window && windowAtom && GetClassLongPtrW(window, GCW_ATOM) == windowAtom;
}

void setImageIcon(HWND image, HICON icon)
{
    SetWindowLongPtrW(image, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icon));
    InvalidateRect(image, nullptr, TRUE);
}

} // namespace ui
