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
    // class, larger than Qt's helper windows), finds its client area,
    // remembers both and gives the window the keyboard focus. Under Qt the
    // client area is the window's bottom 438 rows; under Wine it is found
    // from pixels, inside the frame.
    TopLevel attach(double timeoutSeconds);
    const TopLevel &window() const { return window_; }
    // The client area in window coordinates.
    const Box &client() const { return client_; }
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
    // Sends WM_DELETE_WINDOW, as a window manager's close button does.
    void requestClose(unsigned long window);
    // Round trip to the server: every event sent so far is queued for the
    // game (it may not have handled them yet).
    void sync();

    // Client-area pixels; parts outside the screen read as black.
    Pixels grab(int x, int y, int width, int height);
    // The whole window, frame and menu bar included, in window coordinates.
    Pixels grabWindow();

private:
    // True when the X input focus is in a top-level window of the game.
    bool focusIsOnProgram();
    bool isProgram(unsigned long window);
    // Finds the client area and the menu bar of the window attached, or
    // returns false while they cannot be seen yet.
    bool locateClient();
    Pixels grabScreen(int x, int y, int width, int height);

    struct Impl;
    std::unique_ptr<Impl> d_;
    TopLevel window_;
    Box client_;
    int menuBar_ = 0;
};

} // namespace e2e
