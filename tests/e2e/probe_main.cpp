// e2e_probe: the player's hands and eyes for the end-to-end scripts. Each
// run attaches to the "Quarvel" window on $DISPLAY and does one command:
//   window                  print the window's id, geometry and menu bar height
//   layout                  measure the menu bar, the client area, the board and
//                           its tiles from pixels and print them
//   learn BOARD             remember the numbers' look from the board shown now
//   board [EXPECTED]        print the board, or wait until it reads EXPECTED
//   click-cell CELL         click the middle of board cell 0..8 (reading order)
//   click X Y [N]           click a client-area point (N times at once)
//   key CHORD...            press keys: a, A, Tab, space, Return, alt+s, ...
//   barrier                 wait until the game has handled all input so far
//   region X Y W H          print a hash of the pixels of a client rectangle
//   smileys                 print on how many of the four tracks a smiley is
//   wait-smileys N          wait until exactly N tracks show one
//   close [TITLE]           send WM_DELETE_WINDOW to the main window or to the
//                           top-level window with that title
//   wait-toplevel TITLE [gone|focused]  wait until a window with that title
//                           is up (and keys typed reach it), or is gone
//   play PLAN [shown]       play a plan of e2e_plan to the win; with "shown"
//                           stop while the smileys run, else time them and
//                           check the board is locked
//   series FILE             play a series of e2e_series, compared after every
//                           event with the game headless (play.h)
//   dump [WHY]              fail with WHY, leaving what a failure leaves
// A failure leaves a screenshot of the display and the probe's last reading
// of the board in the folder E2E_FAILURE_DIR names (failure.h).
// E2E_GLYPHS names the file that keeps what "learn" saw; E2E_TIMEOUT (s)
// bounds every wait (default 30); E2E_PLATFORM, E2E_HIGHLIGHT and E2E_DPI
// describe the program's platform (xsession.h, layout.h, "layout" below).
// Exit status 0 on success, 1 on failure.
#include "failure.h"
#include "play.h"
#include "screen.h"
#include "xsession.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace e2e;

namespace
{

std::string glyphFile()
{
    const char *g = std::getenv("E2E_GLYPHS");
    return g ? g : "";
}

void loadGlyphsIfAny(Screen &screen)
{
    const std::string path = glyphFile();
    if (!path.empty() && std::ifstream(path).good())
        screen.loadGlyphs(path);
}

// ---- layout -------------------------------------------------------------

// The client area by its background colour rather than by the size the
// window claims, from a picture of the whole window. Under Qt the client
// area's top is the menu bar's height; under Wine the menu bar lies between
// Wine's own caption and the client area. E2E_DPI gives the resolution that
// the window is laid out at (96 unless named).
int layout(XSession &x)
{
    const Pixels picture = x.look();
    const Box &c = x.client();
    const int dpi = dpiUnderTest();
    const Layout measured = measureLayout(picture, c.x + c.width - 1, c.y + c.height - 1, dpi);
    std::printf("menu bar %d px\n", underWine() ? x.menuBarHeight() : measured.client.y);
    std::printf("client area at (%d,%d) of the window, at %d dpi\n", measured.client.x,
                measured.client.y, dpi);
    checkLayout(measured, dpi);
    return 0;
}

int command(XSession &x, Screen &screen, const std::vector<std::string> &args)
{
    const std::string &cmd = args[0];
    auto arg = [&](size_t i) {
        if (i >= args.size())
            throw Failure(cmd + ": missing argument");
        return args[i];
    };

    if (cmd == "window") {
        x.look();
        x.awaitFocus();
        const TopLevel &w = x.window();
        const Box &c = x.client();
        std::printf("window 0x%lx %dx%d+%d+%d menubar %d client %dx%d+%d+%d\n", w.id, w.width,
                    w.height, w.x, w.y, x.menuBarHeight(), c.width, c.height, c.x, c.y);
    } else if (cmd == "layout") {
        return layout(x);
    } else if (cmd == "learn") {
        screen.waitBoard(arg(1), timeout());
        screen.learn(arg(1));
        if (!glyphFile().empty())
            screen.saveGlyphs(glyphFile());
    } else if (cmd == "board") {
        loadGlyphsIfAny(screen);
        std::printf(
            "%s\n",
            (args.size() > 1 ? screen.waitBoard(arg(1), timeout()) : screen.board()).c_str());
    } else if (cmd == "click-cell") {
        clickCell(x, std::stoi(arg(1)));
    } else if (cmd == "click") {
        const int times = args.size() > 3 ? std::stoi(args[3]) : 1;
        for (int i = 0; i < times; ++i)
            x.click(std::stoi(arg(1)), std::stoi(arg(2)));
    } else if (cmd == "key") {
        for (size_t i = 1; i < args.size(); ++i)
            x.key(args[i]);
    } else if (cmd == "barrier") {
        screen.barrier(timeout());
    } else if (cmd == "region") {
        const Pixels p = x.grabClient().part(std::stoi(arg(1)), std::stoi(arg(2)),
                                             std::stoi(arg(3)), std::stoi(arg(4)));
        std::uint64_t hash = 1469598103934665603ULL; // FNV-1a
        for (int j = 0; j < p.height(); ++j) {
            for (int i = 0; i < p.width(); ++i) {
                const Rgb c = p.at(i, j);
                for (int v : {c.r, c.g, c.b})
                    hash = (hash ^ std::uint64_t(v)) * 1099511628211ULL;
            }
        }
        std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    } else if (cmd == "smileys") {
        std::printf("%d\n", screen.smileysShown());
    } else if (cmd == "wait-smileys") {
        const int n = std::stoi(arg(1));
        waitUntil([&] { return screen.smileysShown() == n; }, arg(1) + " smileys");
    } else if (cmd == "close") {
        unsigned long id = x.window().id;
        if (args.size() > 1) {
            id = 0;
            for (const TopLevel &t : x.topLevels())
                if (t.title == args[1])
                    id = t.id;
            if (!id)
                throw Failure("no window titled " + args[1]);
        }
        x.requestClose(id);
    } else if (cmd == "wait-toplevel") {
        const std::string how = args.size() > 2 ? args[2] : "up";
        waitUntil(
            [&] {
                bool up = false, focused = false;
                for (const TopLevel &t : x.topLevels()) {
                    up = up || t.title == arg(1);
                    focused = focused || (t.title == arg(1) && x.keysReach(t.id));
                }
                return how == "gone" ? !up : how == "focused" ? focused : up;
            },
            "window " + arg(1) + " " + how);
    } else if (cmd == "play") {
        loadGlyphsIfAny(screen);
        return playPlan(x, screen, arg(1), args.size() > 2 && args[2] == "shown");
    } else if (cmd == "dump") {
        loadGlyphsIfAny(screen);
        screen.board();
        throw Failure(args.size() > 1 ? arg(1) : "the script failed");
    } else if (cmd == "series") {
        loadGlyphsIfAny(screen);
        playSeries(x, screen, arg(1));
    } else {
        throw Failure("unknown command " + cmd);
    }
    return 0;
}

// A failure leaves a screenshot of the display as it is now and the last
// reading of the board (a fresh one when this step read none).
int run(const std::vector<std::string> &args)
{
    if (args.empty())
        throw Failure("no command");
    XSession x;
    Screen screen(x);
    try {
        x.attach(timeout());
        return command(x, screen, args);
    } catch (const std::exception &e) {
        std::string reading = screen.lastReading();
        if (reading.empty()) {
            char place[120];
            std::snprintf(
                place, sizeof place,
                "no board read in this step; the window as last seen: 0x%lx %dx%d+%d+%d\n",
                x.window().id, x.window().width, x.window().height, x.window().x, x.window().y);
            reading = place;
        }
        reading += x.describeTopLevels();
        const std::string dir = leaveFailure(x.grabDisplay(), e.what(), reading);
        std::fflush(stdout);
        std::fprintf(stderr, "FAIL: %s\n", e.what());
        if (!dir.empty())
            std::fprintf(stderr, "the screen and the probe's reading at the failure: %s\n",
                         dir.c_str());
        return 1;
    }
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception &e) {
        std::fflush(stdout);
        std::fprintf(stderr, "FAIL: %s\n", e.what());
        return 1;
    }
}
