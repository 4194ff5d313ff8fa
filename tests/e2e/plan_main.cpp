// Prints the clicks that win the first deal, worked out on the game's own
// Form1 (headless, same unseeded series as the real program):
//   start <board>            the board after start-up
//   move|jump <tile> <cell> <board after>
//   newgame <board>          the boards of the next two new games
// A "jump" is the "a" key on the focused tile before the click. Cells are
// numbered 0..8 in reading order; boards are written as by the screen reader.
#include "twin.h"
#include "xsession.h"

#include <iostream>

int main()
{
    try {
        e2e::Twin twin;
        std::cout << "# first deal, numbers by tile index:";
        for (const std::string &c : twin.game().captions())
            std::cout << ' ' << c;
        std::cout << "\nstart " << twin.board() << '\n';
        int jumps = 0;
        const std::vector<e2e::Step> plan = e2e::planWin(twin);
        for (const e2e::Step &s : plan) {
            std::cout << (s.jump ? "jump " : "move ") << s.tile << ' ' << s.cell << ' ' << s.after
                      << '\n';
            jumps += s.jump;
        }
        std::cout << "# " << plan.size() << " clicks, " << jumps << " of them jumps\n";
        for (int i = 0; i < 2; ++i) {
            twin.newGame();
            std::cout << "newgame " << twin.board() << '\n';
        }
    } catch (const std::exception &e) {
        std::cerr << "FAIL: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
