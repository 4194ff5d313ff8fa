// The game window as the player sees it: where the cells, buttons and smiley
// tracks lie in client pixels, what each board cell shows (a tile and its
// number, or the free cell) and whether the smileys are out. Reads pixels
// only; the layout facts below are the window's laid-out twips / 15.
#pragma once

#include "layout.h"
#include "xsession.h"

#include <array>
#include <string>
#include <vector>

namespace e2e
{

// Command2 "Start the game again" spans x 24..161, y 376..409; the smiley
// of Image1(3) crosses it at x 64..84.
constexpr int command2X = 140, command2Y = 395;
// Bare window surface between and below the two command buttons.
constexpr int bareX = 185, bareY = 425;

// A board as text: nine characters in reading order, each the number on the
// cell's tile, '#' for a tile whose number is not known, '.' for the free
// cell and '?' for a cell that shows neither.
using BoardText = std::string;
// The layout of a board without the numbers: digits become '#'.
BoardText shapeOf(const BoardText &board);

class Screen
{
public:
    explicit Screen(XSession &x) : x_(x) {}

    // Remembers how each number looks, from a board that shows them all.
    void learn(const BoardText &board);
    bool knowsNumbers() const { return learned_; }
    void saveGlyphs(const std::string &path) const;
    void loadGlyphs(const std::string &path);

    BoardText board();
    // The board in a picture of the client area, as grabClient() takes it.
    BoardText board(const Pixels &client);
    // What the last board() saw: the window's place, the client area found
    // in it, and each cell's colours and reading; empty before the first.
    const std::string &lastReading() const { return lastReading_; }
    // Polls until the board reads `expected` (compared by shape only when
    // the numbers are unknown); fails after the timeout with what it saw.
    BoardText waitBoard(const BoardText &expected, double timeoutSeconds);

    // Tracks (of Image1(0) to (3)) on which a yellow smiley is seen.
    int smileysShown();
    // The middle of the smiley above the board (Image1(0)); -1 when none.
    int topSmileyX();

    // Whether the hover highlight lights Command2 (or Command3): the strip
    // below the caption, right of the Image1(3) track, is light yellow.
    bool command2Highlighted();
    bool command3Highlighted();
    static bool command2Highlighted(const Pixels &client);
    static bool command3Highlighted(const Pixels &client);
    // Returns once the game has handled and painted every input sent before:
    // the hover highlight of Command2, switched on and off again through the
    // same event queue, is the witness.
    void barrier(double timeoutSeconds);

private:
    using Glyph = std::vector<bool>;
    Glyph glyphAt(const Pixels &shot, int cell) const;
    char numberOf(const Glyph &glyph) const;
    template <typename Pred> void waitFor(Pred pred, const char *what, double timeoutSeconds);

    XSession &x_;
    bool learned_ = false;
    std::array<Glyph, 10> glyphs_; // by number 1..8
    std::string lastReading_;
};

} // namespace e2e
