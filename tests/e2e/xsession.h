// A client of the test's X server that plays the player: it finds the game's
// window, sends real input through the XTEST extension and reads the screen
// back. Coordinates are the window's client area (below the menu bar) unless
// a name says otherwise. Keeps Xlib out of its users' headers.
//
// E2E_PLATFORM names the program's platform: unset for the Qt build, whose
// X window is its menu bar and client area; "wine" for the Windows build
// under Wine, whose X window of class "quarvel.exe" also holds the frame
// and caption that Wine draws itself.
#pragma once

#include "layout.h"
#include "pixels.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace e2e
{

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start);

// True when E2E_PLATFORM is "wine".
bool underWine();
// The resolution that the program lays its window out at: E2E_DPI, or 96.
int dpiUnderTest();

struct TopLevel {
    unsigned long id = 0;
    std::string title;
    int x = 0, y = 0, width = 0, height = 0;
};

class XSession
{
public:
    // Connects to $DISPLAY; fails when there is none or it lacks XTEST.
    XSession();
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Mapped top-level windows of any client, with their titles; bare Xvfb
    // has no window manager, so they are the root's children.
    std::vector<TopLevel> topLevels();
    // Waits for the game's main window (title "Quarvel", the program's
    // class, larger than Qt's helper windows); under Qt gives it the
    // keyboard focus when no window of the program has it. Its client area is found by
    // each look at the screen and before each pointer event, afresh (see
    // look()), so that no picture of an earlier moment steers this one; a
    // key needs neither, and goes through while a menu is open. Under Qt the
    // client area is the window's bottom rows; under Wine it is found from
    // pixels, inside the frame.
    TopLevel attach(double timeoutSeconds);
    // Waits, up to the timeout, until keys typed reach the main window: at
    // start-up, Qt takes the focus that attach() hands it, Wine gives it to
    // its window itself.
    void awaitFocus();
    // True when keys typed now reach the program's top-level window `id`.
    // Under Qt the X focus must be on that very window. Under Wine any X
    // window of the program will do: Wine hands the keys that its X windows
    // receive to the Windows focus, which a modal box holds once it shows,
    // while Wine's own X focus request for the box now and then fails and
    // leaves the X focus on the main window (seen during a celebration: the
    // box drawn active, the X focus on the main window, and Escape closed
    // the box).
    bool keysReach(unsigned long id);
    // As the last look found them.
    const TopLevel &window() const { return window_; }
    const Box &client() const { return client_; } // in window coordinates
    int menuBarHeight() const { return menuBar_; }

    static constexpr int clientWidth = e2e::clientWidth;
    static constexpr int clientHeight = e2e::clientHeight;

    // Input. Every call flushes, so the server has the events on return.
    void moveTo(int x, int y);
    void click(int x, int y);
    // A key by X keysym name ("a", "Tab", "space", "Return", "Escape"),
    // with optional modifiers: "alt+s", "shift+a".
    void key(const std::string &chord);
    // The top-level window that has the keyboard focus; 0 for none.
    unsigned long focusedTopLevel();
    // A line per mapped top-level window (id, title, geometry) and where the
    // keyboard focus is, for a failure report.
    std::string describeTopLevels();
    // Sends WM_DELETE_WINDOW, as a window manager's close button does.
    void requestClose(unsigned long window);
    // Round trip to the server: every event sent so far is queued for the
    // game (it may not have handled them yet).
    void sync();

    // One look at the window: its place now and a picture of it, frame and
    // menu bar included, in which the client area is found. Waits, up to the
    // timeout, while the client area cannot be seen whole at the size laid
    // out at dpiUnderTest(): before the first paint, or while a menu's
    // drop-down that is closing still covers an edge of it.
    Pixels look();
    // The client area as one look sees it; parts outside the screen read as
    // black.
    Pixels grabClient();
    // A rectangle of the client area where the last look found it, with no
    // look of its own: quick enough to follow a smiley tick by tick.
    Pixels grabClientPart(int x, int y, int width, int height);
    // The whole display.
    Pixels grabDisplay();

private:
    // True when the X input focus is in a top-level window of the game.
    bool focusIsOnProgram();
    bool isProgram(unsigned long window);
    // True when no other window of the program is on screen.
    bool onlyProgramWindow(unsigned long id);
    // Reads the window's place and size again; false once it is gone.
    bool refreshWindow();
    // Finds the client area and the menu bar in a picture of the window, or
    // returns false while they cannot be seen whole.
    bool locateClient(const Pixels &window);
    Pixels grabScreen(int x, int y, int width, int height);
    double timeout_ = 30;

    struct Impl;
    std::unique_ptr<Impl> d_;
    TopLevel window_;
    Box client_;
    int menuBar_ = 0;
};

} // namespace e2e
