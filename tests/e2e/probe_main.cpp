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
//   monkey SEED COUNT       random real input, checked against the twin
//   dump [WHY]              fail with WHY, leaving what a failure leaves
// A failure leaves a screenshot of the display and the probe's last reading
// of the board in the folder E2E_FAILURE_DIR names (failure.h).
// E2E_GLYPHS names the file that keeps what "learn" saw; E2E_TIMEOUT (s)
// bounds every wait (default 30); E2E_PLATFORM, E2E_HIGHLIGHT and E2E_DPI
// describe the program's platform (xsession.h, layout.h, "layout" below).
// Exit status 0 on success, 1 on failure.
#include "failure.h"
#include "screen.h"
#include "twin.h"
#include "xsession.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

using namespace e2e;

namespace
{

double timeout()
{
    const char *t = std::getenv("E2E_TIMEOUT");
    return t ? std::atof(t) : 30.0;
}

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

template <typename Pred> double waitUntil(Pred pred, const std::string &what)
{
    const auto start = Clock::now();
    while (!pred()) {
        if (secondsSince(start) > timeout())
            throw Failure("timed out waiting for " + what);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return secondsSince(start);
}

void clickCell(XSession &x, int cell)
{
    x.click(cellCentreX(cell), cellCentreY(cell));
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

// ---- play ---------------------------------------------------------------

struct Plan {
    BoardText start;
    std::vector<Step> steps;
};

Plan readPlan(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        throw Failure("cannot read plan " + path);
    Plan plan;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "start") {
            words >> plan.start;
        } else if (kind == "move" || kind == "jump") {
            Step s;
            s.jump = kind == "jump";
            words >> s.tile >> s.cell >> s.after;
            plan.steps.push_back(s);
        }
    }
    if (plan.start.size() != 9 || plan.steps.empty())
        throw Failure("plan " + path + " has no start or no steps");
    return plan;
}

int play(XSession &x, Screen &screen, const std::string &path, bool stopWhileShown)
{
    const Plan plan = readPlan(path);
    if (!screen.knowsNumbers())
        screen.learn(plan.start);
    screen.waitBoard(plan.start, timeout());
    bool tileFocused = false;
    Clock::time_point winningClick;
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        const Step &s = plan.steps[i];
        if (s.jump) {
            // The focus starts on the board; Tab takes it to tile 0. Later the
            // tile clicked last has it.
            if (!tileFocused)
                x.key("Tab");
            x.key("a");
        }
        clickCell(x, s.cell);
        tileFocused = true;
        if (i + 1 == plan.steps.size())
            winningClick = Clock::now();
        screen.waitBoard(s.after, timeout());
    }
    int jumps = 0;
    for (const Step &s : plan.steps)
        jumps += s.jump;
    std::printf("played %zu clicks (%d jumps) to %s\n", plan.steps.size(), jumps,
                plan.steps.back().after.c_str());

    waitUntil([&] { return screen.smileysShown() == 4; }, "the four smileys to show");
    std::printf("smileys out %.0f ms after the winning click\n", secondsSince(winningClick) * 1000);
    if (stopWhileShown)
        return 0;

    // Image1(0) runs right along the top of the board to Left 4350 twips
    // (middle at x 300) and back to Left 50 (middle at x 13).
    int farthest = -1, last = -1;
    waitUntil(
        [&] {
            const int x = screen.topSmileyX();
            if (x < 0)
                return screen.smileysShown() == 0;
            farthest = std::max(farthest, x);
            last = x;
            return false;
        },
        "the smileys to hide");
    const double celebration = secondsSince(winningClick);
    std::printf("celebration: %.2f s\n", celebration);
    std::printf("the top smiley ran to x %d and back to x %d\n", farthest, last);
    if (farthest < 285 || farthest > 315 || last > 30)
        throw Failure("the top smiley did not run out to the right and back");
    // They must stay hidden: the end tick stops the timer.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (screen.smileysShown() != 0)
        throw Failure("a smiley came back after the celebration ended");

    const char *minEnv = std::getenv("E2E_CELEBRATION_MIN");
    const char *maxEnv = std::getenv("E2E_CELEBRATION_MAX");
    const double lo = minEnv ? std::atof(minEnv) : 1.70, hi = maxEnv ? std::atof(maxEnv) : 3.0;
    if (celebration < lo || celebration > hi) {
        std::printf("FAIL: the celebration took %.2f s, outside %.2f..%.2f s\n", celebration, lo,
                    hi);
        return 1;
    }

    // The board is locked: a click on the tile next to the free cell, and
    // "a" then a click on a far tile, move nothing.
    const BoardText solved = plan.steps.back().after;
    clickCell(x, 7);
    x.key("a");
    clickCell(x, 0);
    screen.barrier(timeout());
    const BoardText after = screen.board();
    if (after != solved)
        throw Failure("a click after the win moved a tile: " + after);
    std::printf("board locked after the win: %s\n", after.c_str());
    return 0;
}

// ---- monkey -------------------------------------------------------------

// Where the keyboard focus is, by Qt's rules for this window: the tab chain
// Picture1, tiles 0..7, Command2, Command3, skipping what is disabled; and
// nowhere after a win, since disabling the board clears the focus of the
// tile inside it.
constexpr int onNothing = -2, onBoard = -1, onCommand2 = 8, onCommand3 = 9;

class Monkey
{
public:
    Monkey(XSession &x, Screen &screen, unsigned seed) : x_(x), screen_(screen), random_(seed) {}

    void run(int count)
    {
        screen_.learn(twin_.board());
        screen_.waitBoard(twin_.board(), timeout());
        const auto start = Clock::now();
        const int bursts[] = {count / 3, 2 * count / 3};
        for (int i = 1; i <= count; ++i) {
            event_ = i;
            if (i == bursts[0] || i == bursts[1])
                solveBurst();
            else
                randomEvent();
            if (i % checkEvery_ == 0 || i == count)
                check(i);
        }
        const double took = secondsSince(start);
        std::printf("monkey: %d steps, %d input events (%d clicks, %d keys, %d mouse moves) in "
                    "%.1f s, %d wins\n",
                    count, clicks_ + keys_ + moves_, clicks_, keys_, moves_, took, wins_);

        // Alive and listening: Alt+S deals the next game on the start layout.
        x_.key("alt+s");
        twin_.newGame();
        screen_.waitBoard(twin_.board(), timeout());
        std::printf("after Alt+S: %s\n", twin_.board().c_str());
    }

private:
    int pick(int n) { return int(random_() % unsigned(n)); }
    bool onTile() const { return focus_ >= 0 && focus_ <= 7; }

    // What happened and the twin's board after it, for a failure report.
    void note(const std::string &what)
    {
        std::string line = std::to_string(event_) + ": " + what + " -> " + twin_.board() +
                           (twin_.boardEnabled() ? "" : " locked") + ", focus " +
                           std::to_string(focus_);
        if (trace_)
            line += ", screen " + screen_.board();
        log_.push_back(line);
        if (log_.size() > 30)
            log_.erase(log_.begin());
    }

    // The board seen must be the twin's, and a board at all: the numbers 1
    // to 8 once each on eight distinct cells, one cell free. The second
    // holds even where Form1 itself (and so the twin) went wrong.
    void check(int i)
    {
        screen_.barrier(timeout());
        const BoardText want = twin_.board();
        try {
            const BoardText seen = screen_.waitBoard(want, 2.0);
            std::string sorted = seen;
            std::sort(sorted.begin(), sorted.end());
            if (sorted != ".12345678")
                throw Failure("the board " + seen + " is not eight tiles and a free cell");
        } catch (const Failure &f) {
            std::string recent;
            for (const std::string &s : log_)
                recent += "  " + s + "\n";
            throw Failure(std::string(f.what()) + " after event " + std::to_string(i) +
                          "; the last events:\n" + recent);
        }
    }

    // A click on a tile, by mouse or space; the focus is on it already.
    void tileClicked(int tile)
    {
        twin_.click(tile);
        if (!twin_.boardEnabled()) {
            focus_ = onNothing;
            ++wins_;
        }
    }

    // A press point on a cell, never within Qt's double-click distance of
    // the last press, so that only doubleClick() makes double clicks.
    void pressPoint(int left, int top, int width, int height, int &x, int &y)
    {
        do {
            x = left + pick(width);
            y = top + pick(height);
        } while (std::abs(x - lastX_) <= 12 && std::abs(y - lastY_) <= 12);
        lastX_ = x;
        lastY_ = y;
    }

    void clickCellEvent(int cell)
    {
        int x = 0, y = 0;
        pressPoint(cellLeft(cell % 3) + 6, cellTop(cell / 3) + 6, tileSize - 12, tileSize - 12, x,
                   y);
        x_.click(x, y);
        followClick(cell);
        note("click cell " + std::to_string(cell) + " at " + std::to_string(x) + "," +
             std::to_string(y));
    }

    // The twin's side of a click that landed on `cell`: the tile there, if
    // any, takes the focus and the click; the board's frame takes the focus
    // when its free cell is clicked.
    void followClick(int cell)
    {
        ++clicks_;
        if (!twin_.boardEnabled())
            return;
        const int tile = twin_.tileOn(cell);
        focus_ = tile < 0 ? onBoard : tile;
        if (tile >= 0)
            tileClicked(tile);
    }

    // Two clicks on one spot at once: Qt makes the second a double click,
    // which a widget takes as a second press (focus included) and click.
    // The first click may have moved its tile away from the spot.
    void doubleClick(int cell)
    {
        clickCellEvent(cell);
        x_.click(lastX_, lastY_);
        followClick(cell);
        note("second click of a double click");
    }

    void newGameClick()
    {
        // Right of the Image1(3) track, which a smiley may be crossing.
        int x = 0, y = 0;
        pressPoint(95, 382, 60, 22, x, y);
        x_.click(x, y);
        ++clicks_;
        focus_ = onCommand2;
        twin_.game().ui.click(twin_.game().form.Command2);
        note("click Command2");
    }

    void keyEvent(const std::string &chord, char text)
    {
        x_.key(chord);
        lastKey_ = chord;
        ++keys_;
        if (onTile())
            twin_.key(focus_, text);
        note("key " + chord);
    }

    void tab()
    {
        // Tab only moves the focus: no tile sees it as a key press.
        x_.key("Tab");
        lastKey_ = "Tab";
        ++keys_;
        int next = focus_ == onNothing ? onCommand3 : focus_;
        do
            next = next == onCommand3 ? onBoard : next + 1;
        while (next <= 7 && !twin_.boardEnabled());
        focus_ = next;
        note("key Tab");
    }

    void space()
    {
        if (focus_ == onCommand3)
            return tab(); // space there would end the program
        // Qt's X input takes a key released and pressed again within 10 ms,
        // with no other key between, as the keyboard's auto-repeat, and a
        // button clicks once for a held space. Real hands are slower.
        if (lastKey_ == "space")
            return keyEvent("Return", '\r');
        x_.key("space");
        lastKey_ = "space";
        ++keys_;
        if (onTile()) {
            twin_.key(focus_, ' ');
            tileClicked(focus_);
        } else if (focus_ == onCommand2) {
            twin_.game().ui.click(twin_.game().form.Command2);
        }
        note("key space");
    }

    void randomEvent()
    {
        const int r = pick(100);
        if (r < 32) {
            clickCellEvent(pick(9));
        } else if (r < 34) {
            doubleClick(pick(9));
        } else if (r < 36) {
            newGameClick();
        } else if (r < 40) {
            // Bare surface and labels, left and right of the board and below.
            const int spots[][4] = {{2, 100, 60, 260}, {320, 100, 60, 260}, {88, 330, 180, 20}};
            const auto &s = spots[pick(3)];
            int x = 0, y = 0;
            pressPoint(s[0], s[1], s[2], s[3], x, y);
            x_.click(x, y);
            ++clicks_;
            note("click bare surface");
        } else if (r < 58) {
            x_.moveTo(pick(XSession::clientWidth), pick(XSession::clientHeight));
            ++moves_;
            note("move");
        } else if (r < 70) {
            keyEvent("a", 'a');
        } else if (r < 74) {
            keyEvent("A", 'A');
        } else if (r < 82) {
            const char c = char('b' + pick(25));
            keyEvent(std::string(1, c), c);
        } else if (r < 88) {
            space();
        } else if (r < 93) {
            tab();
        } else if (r < 97) {
            keyEvent("Return", '\r');
        } else {
            keyEvent("Escape", '\x1b');
        }
    }

    // Plays the twin's board to a win at full speed, so that the random
    // input also meets a celebration and a locked board.
    void solveBurst()
    {
        if (!twin_.boardEnabled())
            newGameClick();
        const std::vector<Step> plan = planWin(twin_);
        note("solve in " + std::to_string(plan.size()) + " clicks");
        for (const Step &s : plan) {
            if (s.jump) {
                while (!onTile())
                    tab();
                keyEvent("a", 'a');
            }
            clickCellEvent(s.cell);
        }
        if (!twin_.won())
            throw Failure("the twin did not win the planned game");
    }

    XSession &x_;
    Screen &screen_;
    std::mt19937 random_;
    Twin twin_;
    int focus_ = onBoard;
    int clicks_ = 0, keys_ = 0, moves_ = 0, wins_ = 0;
    int lastX_ = -100, lastY_ = -100; // the last press
    int event_ = 0;
    std::string lastKey_;
    // Adds the screen's board, read at once, to each line of the log.
    bool trace_ = std::getenv("E2E_MONKEY_TRACE") != nullptr;
    std::vector<std::string> log_;
    // How many events between two comparisons of the boards; 1 finds the
    // very event where they part.
    int checkEvery_ =
        std::getenv("E2E_MONKEY_CHECK") ? std::atoi(std::getenv("E2E_MONKEY_CHECK")) : 50;
};

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
        return play(x, screen, arg(1), args.size() > 2 && args[2] == "shown");
    } else if (cmd == "dump") {
        loadGlyphsIfAny(screen);
        screen.board();
        throw Failure(args.size() > 1 ? arg(1) : "the script failed");
    } else if (cmd == "monkey") {
        const unsigned seed = unsigned(std::stoul(arg(1)));
        std::printf("monkey seed %u\n", seed);
        std::fflush(stdout);
        Monkey(x, screen, seed).run(std::stoi(arg(2)));
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
