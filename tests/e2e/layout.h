// The game window's layout in client pixels (its laid-out twips at 96 dots
// per inch, or at another resolution for the layout check), and its
// measurement from a picture of the window: the client area by its
// background colour, the board's box and the tiles' faces. The X probe and
// the screenshot reader share it.
#pragma once

#include "pixels.h"

#include <string>

namespace e2e
{

// Twips to pixels at `dpi` dots per inch, rounded to the nearest with
// halves away from zero, as Windows's MulDiv rounds them. At 96 dpi a pixel
// is 15 twips.
constexpr int pixels(int twips, int dpi = 96)
{
    return (twips * dpi + 720) / 1440;
}

constexpr int clientWidth = pixels(5730), clientHeight = pixels(6570); // 382 x 438

// Board: Picture1 at (88, 88), 203 x 203 with a 2-pixel (30-twip) border,
// cells 1000 twips apart; the tiles are 990 twips square. Every edge lies
// where its distance in twips from the client area's corner rounds to, so
// a tile may be a pixel wider or narrower than its neighbour at some dpi.
constexpr int boardLeft = pixels(1320), boardTop = pixels(1320), boardSize = pixels(3050),
              tileSize = pixels(990);
int cellLeft(int col, int dpi = 96);
int cellTop(int row, int dpi = 96);
int cellRight(int col, int dpi = 96); // one past the tile's last column
int cellBottom(int row, int dpi = 96);
inline int cellCentreX(int cell)
{
    return cellLeft(cell % 3) + tileSize / 2;
}
inline int cellCentreY(int cell)
{
    return cellTop(cell / 3) + tileSize / 2;
}

// The window's background is the system colour of selected items. Under Qt
// it is the palette's Highlight: the tests keep every desktop's platform
// theme away, so Qt's generic theme hands out Qt's own Fusion palette,
// whose Highlight is (48, 140, 198) in the active and the inactive group
// alike. Another platform names its own in E2E_HIGHLIGHT as "r,g,b" (Wine's
// COLOR_HIGHLIGHT is 48,150,250).
Rgb highlight();

// Equal but for a little anti-aliasing or rounding.
bool sameColour(Rgb a, Rgb b);

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

// The client area in a picture of the window, and the height of the menu bar
// above it. Under Qt the window is the menu bar and the client area below
// it; under Wine (findFramedClientArea) the window holds Wine's own frame and
// caption too. False while the client area cannot be seen whole at the size
// laid out at `dpi`.
bool findClientArea(const Pixels &window, int dpi, Box &client, int &menuBar);
bool findFramedClientArea(const Pixels &window, int dpi, Box &client, int &menuBar);

struct Layout {
    Box client;     // in the picture
    Rgb background; // at the client area's bottom-right corner
    Box board;      // in client coordinates
    // The board's inside, within the border's runs of dark pixels at the top
    // and left and of light ones at the bottom and right; and one past the
    // last dark pixel of the right-hand column's and the bottom row's tiles
    // where it meets the border there, -1 where no dark edge meets it.
    Box inside;
    int tileRight = -1, tileBottom = -1;
    // Per cell in reading order: '#' a tile's face filling the cell's tile
    // box inside its whole bevel, '.' no face at all, '?' anything else.
    std::string cells;
};

// Measures the client area whose bottom-right pixel is (right, bottom) of
// the picture: the run of its colour up the right-hand edge (the menu bar
// stops it) and along the bottom edge; then, when it has the window's size
// at `dpi`, the board and the cells.
Layout measureLayout(const Pixels &picture, int right, int bottom, int dpi = 96);

// Prints the measures; throws a Failure at the first that differs from the
// window as laid out at `dpi`, with every tile on its home cell and (2,2)
// free.
void checkLayout(const Layout &layout, int dpi = 96);

} // namespace e2e
