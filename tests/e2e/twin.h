// The game's own Form1 on the headless backend, from the same unseeded
// series as the real program: fed the input that the real window gets, it
// tells the end-to-end tests what the board must show, and it plans wins.
// The rules stay in Form1; nothing here decides what a click does.
#pragma once

#include "support/game.h"

#include <string>
#include <vector>

namespace e2e
{

// Nine characters in reading order: the number on each cell's tile, '.' for
// the free cell (the same text as the screen reader's).
using BoardText = std::string;

class Twin
{
public:
    BoardText board();
    // The tile standing on a cell (0..8 in reading order); -1 when free.
    int tileOn(int cell);
    bool boardEnabled() { return game_.form.Picture1.takesInput(); }
    bool won() { return game_.form.Label1.caption() == "You are the winner!"; }

    // Input as the real window delivers it; dropped, like there, while the
    // board is disabled.
    void click(int tile) { game_.click(tile); }
    void key(int tile, char c) { game_.key(tile, c); }
    void newGame() { game_.form.Command2_Click(); }

    Game &game() { return game_; }

private:
    Game game_;
};

// One click of a plan: "a" first when `jump`, then a click on the tile that
// stands on `cell`; `after` is the board it leaves.
struct Step {
    bool jump = false;
    int tile = 0;
    int cell = 0;
    BoardText after;
};

// A click sequence from the twin's board to the win, found by a best-first
// search whose every move is made by a scratch Form1 through the headless
// backend: plain clicks where they move a tile, and "a" jumps where they
// help, each jump counted as `jumpCost` clicks so that few are used.
// Replays the plan on another scratch Form1 and fails unless exactly its
// last click wins. The twin itself is not changed.
std::vector<Step> planWin(Twin &twin, int jumpCost = 12);

} // namespace e2e
