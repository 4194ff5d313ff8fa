// Xlib and XTEST behind XSession: window lookup, synthetic input that the
// server treats as real devices, and screen reads with XGetImage.
#include "xsession.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace e2e
{

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool underWine()
{
    const char *platform = std::getenv("E2E_PLATFORM");
    return platform && std::string(platform) == "wine";
}

int dpiUnderTest()
{
    const char *dpi = std::getenv("E2E_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

namespace
{

// Windows come and go while we list them (Qt's helpers, a closing message
// box); a request on a vanished one must not end the test program, which is
// Xlib's default reaction.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

// WM_CLASS's instance name: Qt names the window after the program, Wine
// after the program file.
std::string programClass()
{
    return underWine() ? "quarvel.exe" : "quarvel";
}

int shiftOf(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

struct XSession::Impl {
    Display *display = nullptr;
    Window root = 0;
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;

    KeyCode keycode(const std::string &name, bool &needsShift)
    {
        const KeySym sym = XStringToKeysym(name.c_str());
        if (sym == NoSymbol)
            throw Failure("unknown key name: " + name);
        const KeyCode code = XKeysymToKeycode(display, sym);
        if (code == 0)
            throw Failure("no key for: " + name);
        needsShift = XkbKeycodeToKeysym(display, code, 0, 0) != sym &&
                     XkbKeycodeToKeysym(display, code, 0, 1) == sym;
        return code;
    }
};

XSession::XSession() : d_(std::make_unique<Impl>())
{
    const char *name = std::getenv("DISPLAY");
    d_->display = XOpenDisplay(name);
    if (!d_->display)
        throw Failure(std::string("cannot open display ") + (name ? name : "(unset)"));
    XSetErrorHandler(ignoreErrors);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d_->display, &event, &error, &major, &minor))
        throw Failure("the X server has no XTEST extension");
    d_->root = DefaultRootWindow(d_->display);
    d_->wmProtocols = XInternAtom(d_->display, "WM_PROTOCOLS", False);
    d_->wmDeleteWindow = XInternAtom(d_->display, "WM_DELETE_WINDOW", False);
}

XSession::~XSession()
{
    if (d_->display)
        XCloseDisplay(d_->display);
}

std::vector<TopLevel> XSession::topLevels()
{
    std::vector<TopLevel> out;
    Window rootReturn = 0, parent = 0;
    Window *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d_->display, d_->root, &rootReturn, &parent, &children, &count))
        return out;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d_->display, children[i], &a) || a.map_state != IsViewable)
            continue;
        TopLevel t;
        t.id = children[i];
        t.x = a.x;
        t.y = a.y;
        t.width = a.width;
        t.height = a.height;
        char *title = nullptr;
        if (XFetchName(d_->display, children[i], &title) && title) {
            t.title = title;
            XFree(title);
        }
        out.push_back(t);
    }
    if (children)
        XFree(children);
    return out;
}

unsigned long XSession::focusedTopLevel()
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d_->display, &focus, &revert);
    if (focus == None || focus == PointerRoot)
        return 0;
    // Up to the top-level window that holds the focused one.
    for (;;) {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d_->display, focus, &rootReturn, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == d_->root || parent == 0)
            break;
        focus = parent;
    }
    return focus == d_->root ? 0 : focus;
}

std::string XSession::describeTopLevels()
{
    const unsigned long focus = focusedTopLevel();
    Window raw = 0;
    int revert = 0;
    XGetInputFocus(d_->display, &raw, &revert);
    std::string out;
    char line[300];
    for (const TopLevel &t : topLevels()) {
        std::snprintf(line, sizeof line, "top-level 0x%lx \"%s\" %dx%d+%d+%d%s\n", t.id,
                      t.title.c_str(), t.width, t.height, t.x, t.y,
                      t.id == focus ? " (has the keyboard focus)" : "");
        out += line;
    }
    std::snprintf(line, sizeof line, "keyboard focus: X window 0x%lx\n", raw);
    return out + line;
}

bool XSession::isProgram(unsigned long window)
{
    XClassHint hint{};
    bool ours = false;
    if (window && XGetClassHint(d_->display, window, &hint)) {
        ours = hint.res_name && std::string(hint.res_name) == programClass();
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    return ours;
}

bool XSession::onlyProgramWindow(unsigned long id)
{
    for (const TopLevel &t : topLevels())
        if (t.id != id && isProgram(t.id))
            return false;
    return true;
}

bool XSession::focusIsOnProgram()
{
    return isProgram(focusedTopLevel());
}

bool XSession::refreshWindow()
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d_->display, window_.id, &a) || a.map_state != IsViewable)
        return false;
    window_.x = a.x;
    window_.y = a.y;
    window_.width = a.width;
    window_.height = a.height;
    return true;
}

bool XSession::locateClient(const Pixels &p)
{
    return underWine() ? findFramedClientArea(p, dpiUnderTest(), client_, menuBar_)
                       : findClientArea(p, dpiUnderTest(), client_, menuBar_);
}

Pixels XSession::look()
{
    const auto start = Clock::now();
    for (;;) {
        if (!refreshWindow())
            throw Failure("the Quarvel window is gone");
        Pixels picture = grabScreen(window_.x, window_.y, window_.width, window_.height);
        if (locateClient(picture))
            return picture;
        if (secondsSince(start) > timeout_)
            throw Failure("no client area of " + std::to_string(pixels(5730, dpiUnderTest())) +
                          "x" + std::to_string(pixels(6570, dpiUnderTest())) +
                          " in the background colour shows in the window; the last look found " +
                          std::to_string(client_.width) + "x" + std::to_string(client_.height) +
                          "+" + std::to_string(client_.x) + "+" + std::to_string(client_.y));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

TopLevel XSession::attach(double timeoutSeconds)
{
    timeout_ = timeoutSeconds;
    const auto start = Clock::now();
    for (;;) {
        for (const TopLevel &t : topLevels()) {
            if (t.title != "Quarvel" || t.width < 300 || t.height <= clientHeight)
                continue;
            if (!isProgram(t.id))
                continue;
            window_ = t;
            // The probe stands in for the window manager that bare Xvfb
            // lacks: when no window of the program has the focus (at
            // start-up, or once a message box has closed), the main window
            // gets it. Wine gives the focus to its windows itself, but now
            // and then leaves it on the root once a box has closed (seen:
            // Alt+E lost after the tip's OK); with the main window its only
            // window on screen, a request of ours races none of Wine's.
            if (!focusIsOnProgram() && (!underWine() || onlyProgramWindow(t.id)))
                XSetInputFocus(d_->display, t.id, RevertToPointerRoot, CurrentTime);
            sync();
            return window_;
        }
        if (secondsSince(start) > timeoutSeconds)
            throw Failure("no Quarvel window appeared");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void XSession::awaitFocus()
{
    const auto start = Clock::now();
    while (!keysReach(window_.id)) {
        if (secondsSince(start) > timeout_)
            throw Failure("the Quarvel window never got the keyboard focus");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool XSession::keysReach(unsigned long id)
{
    const unsigned long focus = focusedTopLevel();
    return underWine() ? isProgram(focus) : focus == id;
}

void XSession::moveTo(int x, int y)
{
    look();
    XTestFakeMotionEvent(d_->display, DefaultScreen(d_->display), window_.x + client_.x + x,
                         window_.y + client_.y + y, CurrentTime);
    XFlush(d_->display);
}

void XSession::click(int x, int y)
{
    moveTo(x, y);
    XTestFakeButtonEvent(d_->display, 1, True, CurrentTime);
    XTestFakeButtonEvent(d_->display, 1, False, CurrentTime);
    XFlush(d_->display);
}

void XSession::key(const std::string &chord)
{
    std::vector<std::string> parts;
    std::stringstream in(chord);
    for (std::string part; std::getline(in, part, '+');)
        parts.push_back(part);
    if (parts.empty())
        throw Failure("empty key");
    std::vector<KeyCode> held;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string &m = parts[i];
        const std::string sym = m == "alt" ? "Alt_L" : m == "shift" ? "Shift_L" : "Control_L";
        if (m != "alt" && m != "shift" && m != "ctrl")
            throw Failure("unknown modifier: " + m);
        bool unused = false;
        held.push_back(d_->keycode(sym, unused));
    }
    bool needsShift = false;
    const KeyCode code = d_->keycode(parts.back(), needsShift);
    if (needsShift) {
        bool unused = false;
        held.push_back(d_->keycode("Shift_L", unused));
    }
    for (KeyCode m : held)
        XTestFakeKeyEvent(d_->display, m, True, CurrentTime);
    XTestFakeKeyEvent(d_->display, code, True, CurrentTime);
    XTestFakeKeyEvent(d_->display, code, False, CurrentTime);
    for (auto m = held.rbegin(); m != held.rend(); ++m)
        XTestFakeKeyEvent(d_->display, *m, False, CurrentTime);
    XFlush(d_->display);
}

void XSession::requestClose(unsigned long window)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = d_->wmProtocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(d_->wmDeleteWindow);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d_->display, window, False, NoEventMask, &e);
    XFlush(d_->display);
}

void XSession::sync()
{
    XSync(d_->display, False);
}

Pixels XSession::grabClient()
{
    return look().part(client_.x, client_.y, client_.width, client_.height);
}

Pixels XSession::grabDisplay()
{
    const int screen = DefaultScreen(d_->display);
    return grabScreen(0, 0, DisplayWidth(d_->display, screen), DisplayHeight(d_->display, screen));
}

Pixels XSession::grabScreen(int sx, int sy, int width, int height)
{
    Pixels out(width, height);
    // Screen rectangle, clipped to the root window.
    const int screenW = DisplayWidth(d_->display, DefaultScreen(d_->display));
    const int screenH = DisplayHeight(d_->display, DefaultScreen(d_->display));
    const int x0 = std::max(sx, 0), y0 = std::max(sy, 0);
    const int x1 = std::min(sx + width, screenW), y1 = std::min(sy + height, screenH);
    if (x1 <= x0 || y1 <= y0)
        return out;
    XImage *image = XGetImage(d_->display, d_->root, x0, y0, unsigned(x1 - x0), unsigned(y1 - y0),
                              AllPlanes, ZPixmap);
    if (!image)
        throw Failure("XGetImage failed");
    const int rs = shiftOf(image->red_mask), gs = shiftOf(image->green_mask),
              bs = shiftOf(image->blue_mask);
    const unsigned long rm = image->red_mask >> rs, gm = image->green_mask >> gs,
                        bm = image->blue_mask >> bs;
    for (int j = 0; j < y1 - y0; ++j) {
        for (int i = 0; i < x1 - x0; ++i) {
            const unsigned long p = XGetPixel(image, i, j);
            // Scale each channel to 0..255 whatever the visual's depth.
            const Rgb c{int(((p >> rs) & rm) * 255 / (rm ? rm : 1)),
                        int(((p >> gs) & gm) * 255 / (gm ? gm : 1)),
                        int(((p >> bs) & bm) * 255 / (bm ? bm : 1))};
            out.set(x0 - sx + i, y0 - sy + j, c);
        }
    }
    XDestroyImage(image);
    return out;
}

} // namespace e2e
