// The robustness tests' referee: player events in a replayable text form, a
// full capture of the window's state, and a Referee that delivers events to a
// headless game and checks after each one that the board, the counter, the
// win state and the celebration still obey the rules.
#pragma once

#include "support/game.h"
#include "ui/error.h"
#include "ui/runtime.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace robustness
{

inline const std::string arrangeText = "Arrange the numbers from 1 to 8";
inline const std::string winnerText = "You are the winner!";
inline const std::string tipText = "There is a shortcut in the puzzle, have you found it?";
// 171 ticks that move the smileys out and back, then the tick that hides them.
constexpr int celebrationTicks = 172;
constexpr int counterLimit = 32767;

// splitmix64: the whole state is one counter, so a seed names a game.
struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0..n-1; the top 32 bits scaled, which is even enough for small n.
    int below(int n) { return int(((next() >> 32) * std::uint64_t(n)) >> 32); }
    bool chance(int perMille) { return below(1000) < perMille; }
};

// ---------------------------------------------------------------- events

// Everything a player can do. The letters are the text form of an event:
// "c3" clicks tile 3, "k3:97" presses character 97 on tile 3, "t120" lets
// Timer1 tick 120 times, the others take no argument.
enum class Kind : char {
    Click = 'c',
    Key = 'k',
    NewGame = 'n',     // Command2
    NewGameMenu = 'm', // mnuStart
    Tick = 't',
    HoverCommand2 = 'h',
    HoverCommand3 = 'H',
    HoverForm = 'f',
    Tip = '?',
    Exit = 'x', // Command3
};

struct Event {
    Kind kind;
    int tile = 0;  // Click, Key
    int value = 0; // Key: the character code; Tick: how many ticks
};

inline std::string toText(const Event &e)
{
    std::string s(1, static_cast<char>(e.kind));
    if (e.kind == Kind::Click)
        s += std::to_string(e.tile);
    else if (e.kind == Kind::Key)
        s += std::to_string(e.tile) + ":" + std::to_string(e.value);
    else if (e.kind == Kind::Tick)
        s += std::to_string(e.value);
    return s;
}

inline std::string toText(const std::vector<Event> &events)
{
    std::string s;
    for (const Event &e : events) {
        if (!s.empty())
            s += ' ';
        s += toText(e);
    }
    return s;
}

// Reads the text form back; nothing when a word is not an event.
inline std::optional<std::vector<Event>> parseEvents(std::string_view text)
{
    std::vector<Event> out;
    std::istringstream words{std::string(text)};
    std::string w;
    const auto number = [](std::string_view s, int &v) {
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        return r.ec == std::errc() && r.ptr == s.data() + s.size();
    };
    while (words >> w) {
        Event e{static_cast<Kind>(w[0])};
        const std::string_view rest = std::string_view(w).substr(1);
        switch (e.kind) {
        case Kind::Click:
            if (!number(rest, e.tile) || e.tile < 0 || e.tile > 7)
                return std::nullopt;
            break;
        case Kind::Key: {
            const auto colon = rest.find(':');
            if (colon == std::string_view::npos || !number(rest.substr(0, colon), e.tile) ||
                !number(rest.substr(colon + 1), e.value) || e.tile < 0 || e.tile > 7 ||
                e.value < 0 || e.value > 255)
                return std::nullopt;
            break;
        }
        case Kind::Tick:
            if (!number(rest, e.value) || e.value < 1)
                return std::nullopt;
            break;
        case Kind::NewGame:
        case Kind::NewGameMenu:
        case Kind::HoverCommand2:
        case Kind::HoverCommand3:
        case Kind::HoverForm:
        case Kind::Tip:
        case Kind::Exit:
            if (!rest.empty())
                return std::nullopt;
            break;
        default:
            return std::nullopt;
        }
        out.push_back(e);
    }
    return out;
}

// Raises the event on the headless backend, as the player's hand would.
// Returns how many handlers the backend let through (ticks can be several).
inline int deliver(Game &g, const Event &e)
{
    Form1 &f = g.form;
    switch (e.kind) {
    case Kind::Click:
        return g.click(e.tile);
    case Kind::Key:
        return g.ui.keyPress(f.Command1(ui::Int16(e.tile)), ui::Int16(e.value));
    case Kind::NewGame:
        return g.ui.click(f.Command2);
    case Kind::NewGameMenu:
        return g.ui.click(f.mnuStart);
    case Kind::Tick: {
        int n = 0;
        for (int i = 0; i < e.value; ++i)
            n += g.ui.tick(f.Timer1);
        return n;
    }
    case Kind::HoverCommand2:
        return g.ui.mouseMove(f.Command2);
    case Kind::HoverCommand3:
        return g.ui.mouseMove(f.Command3);
    case Kind::HoverForm:
        return g.ui.mouseMove(f);
    case Kind::Tip:
        return g.ui.click(f.mnushort);
    case Kind::Exit:
        return g.ui.click(f.Command3);
    }
    return 0;
}

// ---------------------------------------------------------------- state

// Every property of one control that the game or a backend can see.
struct ControlState {
    float left, top, width, height;
    std::string caption;
    bool enabled, visible;
    ui::Color backColor, foreColor;
    bool operator==(const ControlState &) const = default;
};

// The whole window: every control and every form-level variable.
struct WindowState {
    std::vector<ControlState> controls; // the window first, then form.controls()
    std::array<ui::Int16, 11> variables;
    bool operator==(const WindowState &) const = default;
};

inline ControlState capture(const ui::Control &c)
{
    return {c.left(),    c.top(),     c.width(),     c.height(),   c.caption(),
            c.enabled(), c.visible(), c.backColor(), c.foreColor()};
}

inline WindowState capture(const Form1 &f)
{
    WindowState s;
    s.controls.reserve(f.controls().size() + 1);
    s.controls.push_back(capture(static_cast<const ui::Control &>(f)));
    for (const ui::Control *c : f.controls())
        s.controls.push_back(capture(*c));
    s.variables = {f.clickNum, f.row,  f.col,     f.empRow, f.empCol,    f.comRow,
                   f.comCol,   f.isOk, f.isShift, f.X,      ui::Int16(0)};
    return s;
}

// The first difference between two captures of the same window, in words.
inline std::string difference(const Form1 &f, const WindowState &a, const WindowState &b)
{
    static const char *const varNames[] = {"clickNum", "row",    "col",     "empRow",
                                           "empCol",   "comRow", "comCol",  "isOk",
                                           "isShift",  "X",      "(unused)"};
    for (std::size_t i = 0; i < a.controls.size() && i < b.controls.size(); ++i) {
        if (a.controls[i] == b.controls[i])
            continue;
        const ui::Control &c = i == 0 ? static_cast<const ui::Control &>(f) : *f.controls()[i - 1];
        const ControlState &x = a.controls[i], &y = b.controls[i];
        std::ostringstream o;
        o << c.name();
        if (c.index() >= 0)
            o << "(" << c.index() << ")";
        o << " changed:";
        if (x.left != y.left || x.top != y.top)
            o << " at (" << x.left << "," << x.top << ") -> (" << y.left << "," << y.top << ")";
        if (x.width != y.width || x.height != y.height)
            o << " size " << x.width << "x" << x.height << " -> " << y.width << "x" << y.height;
        if (x.caption != y.caption)
            o << " caption \"" << x.caption << "\" -> \"" << y.caption << "\"";
        if (x.enabled != y.enabled)
            o << " enabled " << x.enabled << " -> " << y.enabled;
        if (x.visible != y.visible)
            o << " visible " << x.visible << " -> " << y.visible;
        if (x.backColor != y.backColor || x.foreColor != y.foreColor)
            o << " colours";
        return o.str();
    }
    for (std::size_t i = 0; i < a.variables.size(); ++i) {
        if (a.variables[i] != b.variables[i])
            return std::string(varNames[i]) + " changed: " + std::to_string(a.variables[i]) +
                   " -> " + std::to_string(b.variables[i]);
    }
    return a == b ? std::string() : std::string("the number of controls changed");
}

struct Cell {
    int row = -1, col = -1;
    bool valid() const { return row >= 0; }
    int reading() const { return row * 3 + col; } // 0..8
    bool operator==(const Cell &) const = default;
};

// The cell that a tile's Top and Left name, read straight from the control;
// invalid unless both are exact multiples of 1000 within 0..2000.
inline Cell cellOf(const ui::Control &tile)
{
    const auto index = [](float v) {
        for (int i = 0; i <= 2; ++i)
            if (v == float(i * 1000))
                return i;
        return -1;
    };
    const int r = index(tile.top()), c = index(tile.left());
    return r < 0 || c < 0 ? Cell{} : Cell{r, c};
}

inline bool adjacent(Cell a, Cell b)
{
    return std::abs(a.row - b.row) + std::abs(a.col - b.col) == 1;
}

// The board as the tiles show it. `problem` says what makes it no board at
// all; when it is empty the cells are distinct and the captions are "1".."8".
struct Board {
    std::array<Cell, 8> cells;
    std::array<std::string, 8> captions;
    Cell free;
    std::string problem;

    bool solved() const
    {
        for (int i = 0; i < 8; ++i) {
            const std::string &t = captions[std::size_t(i)];
            if (t.size() != 1 || t[0] != char('1' + cells[std::size_t(i)].reading()))
                return false;
        }
        return true;
    }
    // The tile whose caption is `number`.
    int tileShowing(int number) const
    {
        for (int i = 0; i < 8; ++i)
            if (captions[std::size_t(i)] == std::to_string(number))
                return i;
        return -1;
    }
    int tileOn(Cell c) const
    {
        for (int i = 0; i < 8; ++i)
            if (cells[std::size_t(i)] == c)
                return i;
        return -1;
    }
};

inline Board readBoard(const Form1 &f)
{
    Board b;
    std::array<bool, 9> covered{};
    std::array<bool, 9> shown{};
    for (int i = 0; i < 8; ++i) {
        const ui::CommandButton &tile = f.Command1(ui::Int16(i));
        const auto tag = [i] { return "tile " + std::to_string(i) + " "; };
        b.cells[std::size_t(i)] = cellOf(tile);
        b.captions[std::size_t(i)] = tile.caption();
        if (!b.problem.empty())
            continue;
        const Cell c = b.cells[std::size_t(i)];
        if (!c.valid()) {
            std::ostringstream o;
            o << tag() << "stands off the cells at Left " << tile.left() << ", Top " << tile.top();
            b.problem = o.str();
        } else if (covered[std::size_t(c.reading())]) {
            b.problem = tag() + "shares cell " + std::to_string(c.reading()) + " with another tile";
        } else if (tile.width() != 990 || tile.height() != 990) {
            b.problem = tag() + "is no longer 990 twips square";
        } else {
            covered[std::size_t(c.reading())] = true;
        }
        const std::string &t = tile.caption();
        if (b.problem.empty()) {
            if (t.size() != 1 || t[0] < '1' || t[0] > '8')
                b.problem = tag() + "shows \"" + t + "\"";
            else if (shown[std::size_t(t[0] - '1')])
                b.problem = "two tiles show \"" + t + "\"";
            else
                shown[std::size_t(t[0] - '1')] = true;
        }
    }
    if (b.problem.empty())
        for (int k = 0; k < 9; ++k)
            if (!covered[std::size_t(k)])
                b.free = {k / 3, k % 3};
    return b;
}

// The rules that hold between any two events, whatever came before: a
// proper board whose free cell finEmp finds, and Label3 showing clickNum.
// finEmp writes only comRow and comCol, which are put back afterwards.
inline std::string boardProblem(Form1 &f)
{
    const Board b = readBoard(f);
    if (!b.problem.empty())
        return b.problem;
    const ui::Int16 r = f.comRow, c = f.comCol;
    std::string problem;
    try {
        f.finEmp();
        if (f.comRow != b.free.row || f.comCol != b.free.col)
            problem = "finEmp finds (" + std::to_string(f.comRow) + "," + std::to_string(f.comCol) +
                      ") free, the board shows (" + std::to_string(b.free.row) + "," +
                      std::to_string(b.free.col) + ")";
    } catch (const ui::RuntimeError &e) {
        problem = std::string("finEmp raised: ") + e.what();
    }
    f.comRow = r;
    f.comCol = c;
    if (problem.empty() && f.Label3.caption() != std::to_string(f.clickNum))
        problem = "Label3 shows \"" + f.Label3.caption() + "\" for clickNum " +
                  std::to_string(f.clickNum);
    return problem;
}

// ---------------------------------------------------------------- walks

// The board's next move in a long walk: a tile next to the free cell, never
// the one move that would solve the board, so the walk can go on for ever.
inline int walkStep(const Board &b, SplitMix64 &rng)
{
    std::array<int, 4> choices{};
    int n = 0;
    for (int i = 0; i < 8; ++i) {
        if (!adjacent(b.cells[std::size_t(i)], b.free))
            continue;
        Board after = b;
        after.cells[std::size_t(i)] = b.free;
        if (!after.solved())
            choices[std::size_t(n++)] = i;
    }
    return n ? choices[std::size_t(rng.below(n))] : -1;
}

// The next jump towards the solved board: the tile whose number belongs on
// the free cell, or any misplaced tile while the bottom-right cell is free.
inline int jumpTowardsWin(const Board &b)
{
    if (b.free.reading() < 8)
        return b.tileShowing(b.free.reading() + 1);
    for (int i = 0; i < 8; ++i)
        if (b.captions[std::size_t(i)] != std::to_string(b.cells[std::size_t(i)].reading() + 1))
            return i;
    return -1;
}

// ---------------------------------------------------------------- referee

// Plays events on a game and checks each outcome. Its account of the game
// (moves since the last new game, the armed shortcut, the win, the ticks of
// a celebration) is kept from the events and from the board as read off the
// controls, never from the game's own rule functions.
class Referee
{
public:
    // Takes over a game that is in play: loaded, perhaps with a board set up
    // by hand, but no move, win or key press yet.
    explicit Referee(Game &g) : g_(g), errors_(ui::errorCount()) {}

    // Delivers the event; returns what went wrong, or nothing.
    std::string play(const Event &e)
    {
        std::string problem = judge(e);
        return problem.empty() ? problem : toText(e) + ": " + problem;
    }

    // play() without the event's name in front of the problem.
    std::string judge(const Event &e)
    {
        Form1 &f = g_.form;
        const Board before = readBoard(f);
        const WindowState was = capture(f);
        const bool boardOpen = !won_ && !ended_;
        const int delivered = deliver(g_, e);
        const WindowState now = capture(f);
        // What changed outside the controls the event may touch; variables
        // are left to the checks of each event.
        const auto unchangedBut = [&](std::initializer_list<const ui::Control *> allowed) {
            std::array<std::size_t, 16> skip{};
            std::size_t n = 0;
            for (const ui::Control *c : allowed)
                skip[n++] = index(*c);
            for (std::size_t i = 0; i < now.controls.size(); ++i) {
                if (std::find(skip.begin(), skip.begin() + std::ptrdiff_t(n), i) !=
                        skip.begin() + std::ptrdiff_t(n) ||
                    now.controls[i] == was.controls[i])
                    continue;
                WindowState a = was;
                a.variables = now.variables;
                for (std::size_t k = 0; k < n; ++k)
                    a.controls[skip[k]] = now.controls[skip[k]];
                return difference(f, a, now);
            }
            return std::string();
        };

        if (ended_) {
            if (delivered)
                return "an event reached a handler after the end of the program";
            if (now != was)
                return "the window changed after the end: " + difference(f, was, now);
            return check();
        }

        switch (e.kind) {
        case Kind::Click: {
            if (bool(delivered) != boardOpen)
                return (boardOpen ? "the click did not reach the open board"
                                  : "the click reached the locked board");
            if (!delivered)
                break;
            const Board after = readBoard(f);
            if (!after.problem.empty())
                return after.problem;
            const Cell from = before.cells[std::size_t(e.tile)];
            const Cell to = after.cells[std::size_t(e.tile)];
            const bool moved = !(from == to);
            const bool allowed = armed_ || adjacent(from, before.free);
            if (moved != allowed)
                return (moved ? "a tile moved that the rules hold still"
                              : "a tile the rules let move stood still");
            if (moved && !(to == before.free))
                return "the tile moved elsewhere than into the free cell";
            for (int i = 0; i < 8; ++i)
                if (i != e.tile && !(after.cells[std::size_t(i)] == before.cells[std::size_t(i)]))
                    return "tile " + std::to_string(i) + " moved too";
            if (after.captions != before.captions)
                return "a click changed a caption";
            moves_ += moved;
            armed_ = false;
            if (after.solved()) {
                restarts_ += ticksLeft_ > 0;
                won_ = true;
                everWon_ = true;
                ticksLeft_ = celebrationTicks;
                ++wins_;
            }
            if (const std::string d = unchangedBut({&f.Command1(ui::Int16(e.tile)), &f.Label1,
                                                    &f.Label3, &f.Picture1, &f.Timer1, &f.Image1(0),
                                                    &f.Image1(1), &f.Image1(2), &f.Image1(3)});
                !d.empty())
                return d;
            break;
        }
        case Kind::Key:
            if (bool(delivered) != boardOpen)
                return (boardOpen ? "the key did not reach the open board"
                                  : "the key reached a tile of the locked board");
            if (delivered)
                armed_ = e.value == 'a';
            if (now.controls != was.controls)
                return "a key press changed the window: " + difference(f, was, now);
            break;
        case Kind::NewGame:
        case Kind::NewGameMenu:
            if (!delivered)
                return "the new game was not delivered";
            for (int i = 0; i < 8; ++i)
                if (!(cellOf(f.Command1(ui::Int16(i))) == Cell{i / 3, i % 3}))
                    return "tile " + std::to_string(i) + " is not back on its home cell";
            moves_ = 0;
            won_ = false;
            if (const std::string d =
                    unchangedBut({&f.Command1(0), &f.Command1(1), &f.Command1(2), &f.Command1(3),
                                  &f.Command1(4), &f.Command1(5), &f.Command1(6), &f.Command1(7),
                                  &f.Label1, &f.Label3, &f.Picture1});
                !d.empty())
                return d;
            break;
        case Kind::Tick: {
            const int expected = std::min(e.value, ticksLeft_);
            if (delivered != expected)
                return std::to_string(delivered) + " ticks ran, not " + std::to_string(expected);
            ticksLeft_ -= delivered;
            if (const std::string d = unchangedBut(
                    {&f.Timer1, &f.Image1(0), &f.Image1(1), &f.Image1(2), &f.Image1(3)});
                !d.empty())
                return d;
            break;
        }
        case Kind::HoverCommand2:
        case Kind::HoverCommand3:
        case Kind::HoverForm: {
            if (!delivered)
                return "the mouse move was not delivered";
            const ui::Color lit = ui::colors::lightYellow, plain = ui::colors::buttonFace;
            const ui::Color want2 = e.kind == Kind::HoverCommand2 ? lit
                                    : e.kind == Kind::HoverForm
                                        ? plain
                                        : was.controls[index(f.Command2)].backColor;
            const ui::Color want3 = e.kind == Kind::HoverCommand3 ? lit
                                    : e.kind == Kind::HoverForm
                                        ? plain
                                        : was.controls[index(f.Command3)].backColor;
            if (f.Command2.backColor() != want2 || f.Command3.backColor() != want3)
                return "the hover highlight shows the wrong colours";
            if (const std::string d = unchangedBut({&f.Command2, &f.Command3}); !d.empty())
                return d;
            break;
        }
        case Kind::Tip:
            if (!delivered)
                return "the tip was not delivered";
            ++tips_;
            if (g_.ui.messages().empty() || g_.ui.messages().back().text != tipText)
                return "the tip box did not show the tip";
            if (now != was)
                return "the tip changed the window: " + difference(f, was, now);
            break;
        case Kind::Exit:
            if (!delivered || !g_.ui.endRequested() || !ui::ended())
                return "the exit did not end the program";
            ended_ = true;
            if (now != was)
                return "the exit changed the window: " + difference(f, was, now);
            break;
        }
        return check();
    }

    // The invariants alone, against the referee's account.
    std::string check()
    {
        Form1 &f = g_.form;
        if (ui::errorCount() != errors_)
            return "a runtime error reached the dispatch boundary";
        if (std::string p = boardProblem(f); !p.empty())
            return p;
        const long expectedCount = std::min<long>(moves_, counterLimit);
        if (f.clickNum != expectedCount)
            return "clickNum is " + std::to_string(f.clickNum) + " after " +
                   std::to_string(moves_) + " moves";
        if (f.Picture1.enabled() == won_)
            return won_ ? "the board is open after a win" : "the board is locked without a win";
        if (f.Label1.caption() != (won_ ? winnerText : arrangeText))
            return "Label1 reads \"" + f.Label1.caption() + "\"";
        const bool running = f.Timer1.enabled();
        if (running != (ticksLeft_ > 0))
            return running ? "Timer1 runs past the end of the celebration"
                           : "Timer1 stopped before the end of the celebration";
        for (ui::Int16 i = 0; i < 4; ++i)
            if (f.Image1(i).visible() != running)
                return "Image1(" + std::to_string(i) + ") is " +
                       (running ? "hidden while Timer1 runs" : "visible while Timer1 is off");
        if (running && f.X != 1 && f.X != -1)
            return "the celebration runs with X = " + std::to_string(f.X);
        if (std::string p = trackProblem(); !p.empty())
            return p;
        if ((f.isShift != 0) != armed_)
            return armed_ ? "the shortcut is not armed after \"a\"" : "the shortcut is armed";
        if (g_.ui.messages().size() != tips_)
            return "a message box came up that the player did not ask for";
        return {};
    }

    long moves() const { return moves_; }
    int wins() const { return wins_; }
    // Wins that came while an earlier celebration was still running.
    int restarts() const { return restarts_; }
    bool won() const { return won_; }
    bool armed() const { return armed_; }
    bool ended() const { return ended_; }

private:
    std::size_t index(const ui::Control &c) const
    {
        const auto &all = g_.form.controls();
        return std::size_t(std::find(all.begin(), all.end(), &c) - all.begin()) + 1;
    }

    // Each smiley keeps to its own side of the board, and from the first win
    // on all four are the same number of steps along their tracks.
    std::string trackProblem() const
    {
        Form1 &f = g_.form;
        const ui::Image &a = f.Image1(0), &b = f.Image1(1), &c = f.Image1(2), &d = f.Image1(3);
        if (a.top() != 960 || b.left() != 4440 || c.top() != 4440 || d.left() != 960)
            return "a smiley left its track";
        if (!everWon_)
            return {};
        const float out = a.left() - 100;
        if (b.top() != out || 5400 - c.left() != out || 6240 - d.top() != out)
            return "the smileys are out of step";
        if (out < -50 || out > 4250)
            return "a smiley ran past the end of its track";
        return {};
    }

    Game &g_;
    int errors_;
    long moves_ = 0;
    bool armed_ = false;
    bool won_ = false;
    bool everWon_ = false;
    bool ended_ = false;
    int ticksLeft_ = 0;
    int wins_ = 0;
    int restarts_ = 0;
    std::size_t tips_ = 0;
};

} // namespace robustness
