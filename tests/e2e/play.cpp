// The plan played to the win, and the series played event by event.
#include "play.h"

#include "readers.h"
#include "series.h"
#include "twin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e
{

double timeout()
{
    const char *t = std::getenv("E2E_TIMEOUT");
    return t ? std::atof(t) : 30.0;
}

void clickCell(XSession &x, int cell)
{
    x.click(cellCentreX(cell), cellCentreY(cell));
}

namespace
{

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

} // namespace

int playPlan(XSession &x, Screen &screen, const std::string &path, bool stopWhileShown)
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

namespace
{

// How long the window may take to show what an event does: far longer than
// any event takes to handle, so that only a difference runs it out.
double showWithin()
{
    const char *t = std::getenv("E2E_SERIES_WAIT");
    return t ? std::atof(t) : 5.0;
}

// One look at the window and one reading of its controls; with `raw`, every
// control as read, for a report.
Shown shownNow(XSession &x, Screen &screen, ControlsReader &reader, std::string *raw = nullptr)
{
    const ControlsReading controls = reader.read(raw != nullptr);
    const Pixels client = x.grabClient();
    Shown s;
    s.board = screen.board(client);
    s.clicks = controls.counter;
    s.boardState = controls.boardOpen ? "open" : "locked";
    s.hover = {Screen::command2Highlighted(client) ? 'y' : 'f',
               Screen::command3Highlighted(client) ? 'y' : 'f'};
    s.focus = controls.focus;
    s.status = controls.status;
    if (raw)
        *raw = controls.raw;
    return s;
}

bool tipUp(XSession &x, bool focused)
{
    for (const TopLevel &t : x.topLevels())
        if (t.title == "Shortcut" && (!focused || x.keysReach(t.id)))
            return true;
    return false;
}

// The player's hand for one ACTION of the series.
void act(XSession &x, const std::string &action)
{
    std::istringstream words(action);
    std::string verb;
    words >> verb;
    if (verb == "click" || verb == "double" || verb == "move") {
        int px = 0, py = 0;
        words >> px >> py;
        if (verb == "move")
            x.moveTo(px, py);
        for (int times = verb == "double" ? 2 : verb == "click"; times > 0; --times)
            x.click(px, py);
    } else if (verb == "key") {
        for (std::string chord; words >> chord;)
            x.key(chord);
    } else if (verb == "tip") {
        std::string close;
        words >> close;
        x.key("alt+t");
        x.key("c");
        waitUntil([&] { return tipUp(x, true); }, "the tip's box to take the keys");
        x.key(close);
        waitUntil([&] { return !tipUp(x, false); }, "the tip's box to close");
        // What a window manager does once a box has closed: the main window
        // gets the keys back.
        x.attach(timeout());
    } else {
        throw Failure("the series holds an action the probe cannot play: " + action);
    }
}

} // namespace

void playSeries(XSession &x, Screen &screen, const std::string &path)
{
    const std::vector<SeriesEvent> series = readSeries(path);
    if (!screen.knowsNumbers())
        screen.learn(series[0].after.board);
    const auto reader = openControlsReader(timeout());
    std::vector<std::string> recent;
    const auto start = Clock::now();
    for (const SeriesEvent &e : series) {
        if (e.number > 0)
            act(x, e.action);
        Shown shown = shownNow(x, screen, *reader);
        for (const auto since = Clock::now(); !(shown == e.after);) {
            if (secondsSince(since) > showWithin()) {
                std::string raw, last;
                shown = shownNow(x, screen, *reader, &raw);
                for (const std::string &r : recent)
                    last += "  " + r + "\n";
                throw Failure("event " + std::to_string(e.number) +
                              (e.row.empty() ? "" : " (row \"" + e.row + "\")") + ", " + e.action +
                              ": " + differences(e.after, shown) + "\nthe events before it:\n" +
                              last + "what the screen reader read:\n" + raw);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            shown = shownNow(x, screen, *reader);
        }
        recent.push_back(formatEvent(e));
        if (recent.size() > 12)
            recent.erase(recent.begin());
    }
    std::printf("series: %zu events played and shown as headless in %.1f s\n", series.size() - 1,
                secondsSince(start));
}

} // namespace e2e
