// The game window's layout in client pixels (its laid-out twips / 15), and
// its measurement from a picture of the window: the client area by its
// background colour, the board's box and the tiles' faces. The X probe and
// the screenshot reader share it.
#pragma once

#include "pixels.h"

#include <string>

namespace e2e
{

constexpr int clientWidth = 382, clientHeight = 438;

// Board: Picture1 at (88, 88), 203 x 203 with a 2-pixel border, cells 1000
// twips apart.
constexpr int boardLeft = 88, boardTop = 88, boardSize = 203, tileSize = 66;
int cellLeft(int col);
int cellTop(int row);
inline int cellCentreX(int cell)
{
    return cellLeft(cell % 3) + tileSize / 2;
}
inline int cellCentreY(int cell)
{
    return cellTop(cell / 3) + tileSize / 2;
}

// The window's background is the palette's Highlight. The tests keep every
// desktop's platform theme away, so Qt's generic theme hands out Qt's own
// Fusion palette, whose Highlight is (48, 140, 198) in the active and the
// inactive group alike.
constexpr Rgb highlight{48, 140, 198};

// Equal but for a little anti-aliasing or rounding.
bool sameColour(Rgb a, Rgb b);

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Layout {
    Box client;     // in the picture
    Rgb background; // at the client area's bottom-right corner
    Box board;      // in client coordinates
    // Per cell in reading order: '#' a tile's face filling the cell's tile
    // box, '.' no face at all, '?' anything else.
    std::string cells;
};

// Measures the client area whose bottom-right pixel is (right, bottom) of
// the picture: the run of its colour up the right-hand edge (the menu bar
// stops it) and along the bottom edge; then, when it has the window's size,
// the board and the cells.
Layout measureLayout(const Pixels &picture, int right, int bottom);

// Prints the measures; throws a Failure at the first that differs from the
// window as laid out, with every tile on its home cell and (2,2) free.
void checkLayout(const Layout &layout);

} // namespace e2e
