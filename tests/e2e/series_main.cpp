// e2e_series: makes the series of real input that every build plays, and
// what the game must show after each event, on the game's own Form1 on the
// headless backend (which moves the focus by the same rules as every
// window). Writes it to standard output in the form series.h describes:
//   e2e_series [--rows TABLE] [--random SEED COUNT]
// The rows of TABLE come first, then COUNT random events; all of it is one
// run of the program from its start.
//
// Every point lies on one control at 96 dpi in every build: a few pixels
// inside its box, off the smileys' tracks (a smiley may still be running
// there), and a seam or the board's border only where it is a whole pixel.
#include "layout.h"
#include "series.h"
#include "twin.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

namespace
{

using namespace e2e;

struct Rect {
    int x, y, width, height; // the points to pick from
};

// Bare window surface: left of the board, right of it, between the labels and
// the buttons, between the buttons, below them and above the status line.
const Rect bareSurface[] = {{4, 90, 54, 280},   {320, 90, 57, 200}, {320, 320, 57, 52},
                            {90, 357, 287, 15}, {165, 379, 39, 27}, {90, 413, 287, 22},
                            {4, 2, 286, 18}};
// Label1 left of the Image1(1) track and above the Image1(0) track; Label2;
// Label3 inside its border.
const Rect labels[] = {{30, 28, 260, 32}, {92, 331, 113, 19}, {220, 331, 41, 19}};
// The command buttons, Command2 right of the Image1(3) track.
const Rect command2{90, 380, 66, 26}, command3{213, 380, 127, 26};
// At 96 dpi the seams are whole pixels only between the first two columns
// and rows (x or y 156); the border's outer pixel of its two on each side.
constexpr int seam = 156, borderNear = 89, borderFar = 290;

class Maker
{
public:
    explicit Maker(unsigned seed) : random_(seed) {}

    Form1 &form() { return twin_.game().form; }
    ui::Headless &hand() { return twin_.game().ui; }

    void start() { emit("start"); }

    // One row of the table: "name: step | step | ...".
    void row(const std::string &line)
    {
        const auto colon = line.find(": ");
        if (colon == std::string::npos)
            throw Failure("a row with no name: " + line);
        std::cout << "# row: " << line.substr(0, colon) << '\n';
        std::istringstream steps(line.substr(colon + 2));
        for (std::string step; std::getline(steps, step, '|');)
            this->step(trim(step));
    }

    void randomEvents(int count)
    {
        if (count > 0)
            std::cout << "# random: " << count << " events\n";
        const int bursts[] = {count / 3, 2 * count / 3};
        for (int i = 1; i <= count; ++i) {
            if (i == bursts[0] || i == bursts[1])
                step("win");
            else
                randomEvent();
        }
    }

private:
    static std::string trim(const std::string &s)
    {
        const auto a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
        return a == std::string::npos ? "" : s.substr(a, b - a + 1);
    }

    int pick(int n) { return int(random_() % unsigned(n)); }
    int pickIn(int from, int count) { return from + pick(count); }

    // A step of a row, or of the random series: "click WHERE", "double
    // WHERE", "move WHERE", "key CHORD...", "tip KEY", "menu new", "win".
    void step(const std::string &text)
    {
        std::istringstream words(text);
        std::string verb, where;
        words >> verb;
        if (verb == "click" || verb == "double" || verb == "move") {
            words >> where;
            pointer(verb, where);
        } else if (verb == "key") {
            std::string chord;
            while (words >> chord)
                key(chord);
            emit(text);
        } else if (verb == "tip") {
            // The box holds the keys; the key that closes it reaches no control.
            hand().click(form().mnushort);
            emit(text);
        } else if (verb == "menu" && text == "menu new") {
            hand().click(form().mnuStart);
            emit("key alt+g s");
        } else if (verb == "win") {
            win();
        } else {
            throw Failure("unknown step: " + text);
        }
    }

    void key(const std::string &chord)
    {
        ui::Modifiers m;
        std::string k = chord;
        for (std::string::size_type plus; (plus = k.find('+')) != std::string::npos && plus > 0;) {
            const std::string mod = k.substr(0, plus);
            m.shift |= mod == "shift", m.alt |= mod == "alt", m.control |= mod == "ctrl";
            k = k.substr(plus + 1);
        }
        const char32_t c = k == "space"    ? U' '
                           : k == "Return" ? U'\r'
                           : k == "Escape" ? U'\x1b'
                           : k == "Tab"    ? U'\t'
                           : k.size() == 1 ? char32_t(k[0])
                                           : throw Failure("unknown key " + chord);
        m.shift |= c >= 'A' && c <= 'Z';
        hand().type(c, m);
    }

    // The points of WHERE, the control there now, and the board cell they
    // lie in (-1 for none): a click that moves a tile leaves the board's
    // own surface under the point.
    struct Spot {
        Rect rect;
        ui::Control *control;
        int cell = -1;
    };

    ui::Control *controlOnCell(int cell)
    {
        const int tile = twin_.tileOn(cell);
        return tile < 0 ? static_cast<ui::Control *>(&form().Picture1)
                        : &form().Command1(ui::Int16(tile));
    }

    Spot spot(const std::string &where)
    {
        auto cellRect = [](int cell) {
            const int c = cell % 3, r = cell / 3;
            return Rect{cellLeft(c) + 4, cellTop(r) + 4, cellRight(c) - cellLeft(c) - 9,
                        cellBottom(r) - cellTop(r) - 9};
        };
        auto onCell = [&](int cell) { return Spot{cellRect(cell), controlOnCell(cell), cell}; };
        const int free = freeCell();
        auto near = [&](int cell) {
            return std::abs(cell / 3 - free / 3) + std::abs(cell % 3 - free % 3) == 1;
        };
        if (where == "free")
            return onCell(free);
        if (where == "tile-far" || where == "tile-next" || where == "tile") {
            std::vector<int> cells;
            for (int cell = 0; cell < 9; ++cell)
                if (cell != free && (where == "tile" || near(cell) == (where == "tile-next")))
                    cells.push_back(cell);
            return onCell(cells[std::size_t(pick(int(cells.size())))]);
        }
        if (where.rfind("cell", 0) == 0)
            return onCell(std::stoi(where.substr(4)));
        if (where == "seam") {
            // Along a row or a column that the other seam does not cross.
            const int line = pick(3) == 0 ? 0 : 2, across = pick(2);
            const Rect r = cellRect(line * 4);
            return {across ? Rect{seam, r.y, 1, r.height} : Rect{r.x, seam, r.width, 1},
                    &form().Picture1};
        }
        if (where == "border") {
            const int side = pick(4), along = pickIn(cellTop(0) + 4, 190);
            const int at = side % 2 ? borderFar : borderNear;
            return {side < 2 ? Rect{at, along, 1, 1} : Rect{along, at, 1, 1}, &form().Picture1};
        }
        if (where == "label") {
            const int i = pick(3);
            ui::Label *label[] = {&form().Label1, &form().Label2, &form().Label3};
            return {labels[i], label[i]};
        }
        if (where == "bare")
            return {bareSurface[pick(int(std::size(bareSurface)))], &form()};
        if (where == "Command2")
            return {command2, &form().Command2};
        if (where == "Command3")
            return {command3, &form().Command3};
        throw Failure("unknown place: " + where);
    }

    void pointer(const std::string &verb, const std::string &where)
    {
        const Spot at = spot(where);
        const int x = pickIn(at.rect.x, at.rect.width), y = pickIn(at.rect.y, at.rect.height);
        // Every press comes with the pointer's move to its point; a move over
        // a control that has no handler for it raises nothing.
        hand().mouseMove(*at.control);
        if (verb != "move")
            hand().press(*at.control);
        if (verb == "double")
            hand().press(at.cell < 0 ? *at.control : *controlOnCell(at.cell));
        emit(verb + ' ' + std::to_string(x) + ' ' + std::to_string(y) + ' ' + nameOf(at.control));
    }

    int freeCell() { return int(twin_.board().find('.')); }

    bool focusOnTile()
    {
        const ui::Control *f = hand().focused();
        return f && f->name() == "Command1";
    }

    // The planned clicks to a win, at full speed; a jump's "a" needs a tile
    // with the focus.
    void win()
    {
        if (!twin_.boardEnabled()) {
            hand().type(U's', {false, false, true});
            emit("key alt+s");
        }
        for (const Step &s : planWin(twin_)) {
            if (s.jump) {
                while (!focusOnTile()) {
                    hand().type(U'\t');
                    emit("key Tab");
                }
                key("a");
                emit("key a");
            }
            step("click cell" + std::to_string(s.cell));
        }
        if (!twin_.won())
            throw Failure("the planned game was not won");
    }

    void randomEvent()
    {
        // Each step with its weight in percent.
        static const std::pair<int, const char *> steps[] = {{13, "click tile"},
                                                             {11, "click tile-next"},
                                                             {4, "click free"},
                                                             {2, "double tile"},
                                                             {3, "click seam"},
                                                             {2, "click border"},
                                                             {3, "click label"},
                                                             {3, "click bare"},
                                                             {2, "click Command2"},
                                                             {5, "move Command2"},
                                                             {5, "move Command3"},
                                                             {5, "move bare"},
                                                             {2, "move label"},
                                                             {2, "move tile"},
                                                             {9, "key a"},
                                                             {2, "key A"},
                                                             {6, "key letter"},
                                                             {5, "key space"},
                                                             {3, "key Return"},
                                                             {2, "key Escape"},
                                                             {4, "key Tab"},
                                                             {3, "key shift+Tab"},
                                                             {2, "key alt+s"},
                                                             {1, "menu new"},
                                                             {1, "tip"}};
        int r = pick(100), at = 0;
        while (r >= steps[at].first)
            r -= steps[at++].first;
        std::string chosen = steps[at].second;
        if (chosen == "key letter")
            chosen = "key " + std::string(1, char('b' + pick(25)));
        if (chosen == "tip")
            chosen = std::string("tip ") + (pick(3) == 0 ? "Escape" : pick(2) ? "Return" : "space");
        // Space on the Exit button would end the program, and the rest of the
        // series with it.
        if (hand().focused() == &form().Command3 && chosen == "key space")
            chosen = "key Tab";
        step(chosen);
    }

    std::string nameOf(const ui::Control *c)
    {
        if (!c)
            return "none";
        if (c == &form())
            return "Form1";
        std::string name = c->name();
        if (c->index() >= 0)
            name.append(1, '(').append(std::to_string(c->index())).append(1, ')');
        return name;
    }

    void emit(const std::string &action)
    {
        SeriesEvent e;
        e.number = number_++;
        e.action = action;
        e.after.board = twin_.board();
        e.after.clicks = form().Label3.caption();
        e.after.boardState = form().Picture1.takesInput() ? "open" : "locked";
        auto face = [](const ui::Control &c) {
            return c.backColor() == ui::colors::lightYellow ? 'y' : 'f';
        };
        e.after.hover = {face(form().Command2), face(form().Command3)};
        e.after.focus = nameOf(hand().focused());
        e.after.status = form().Label1.caption();
        std::cout << formatEvent(e) << '\n';
    }

    Twin twin_;
    std::mt19937 random_;
    int number_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    try {
        std::string table;
        unsigned seed = 0;
        int count = 0;
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--rows" && i + 1 < argc)
                table = argv[++i];
            else if (a == "--random" && i + 2 < argc)
                seed = unsigned(std::stoul(argv[i + 1])), count = std::stoi(argv[i + 2]), i += 2;
            else
                throw Failure("usage: e2e_series [--rows TABLE] [--random SEED COUNT]");
        }
        Maker maker(seed);
        maker.start();
        if (!table.empty()) {
            std::ifstream in(table);
            if (!in)
                throw Failure("cannot read " + table);
            for (std::string line; std::getline(in, line);)
                if (!line.empty() && line[0] != '#')
                    maker.row(line);
        }
        maker.randomEvents(count);
    } catch (const std::exception &e) {
        std::cerr << "FAIL: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
