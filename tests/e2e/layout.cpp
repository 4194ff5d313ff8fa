// Measuring the window from its pixels: runs of the background colour for
// the client area and the board, the tiles by their flat faces and bevels.
#include "layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace e2e
{

namespace
{

// A tile's face: flat light yellow (255, 255, 192).
bool isFace(Rgb c)
{
    return std::abs(c.r - 255) + std::abs(c.g - 255) + std::abs(c.b - 192) <= 6;
}

// '#' when the face fills the tile box at (x, y) of the picture but for the
// number's ink, inside the tile's two-pixel bevel, on all four sides: the
// outer ring is light or shadow, the inner ring the face's own colour at the
// top and left and dark at the bottom and right. A tile a pixel off fails.
char cellShows(const Pixels &p, int x, int y, int tileSize)
{
    const int last = tileSize - 1, mid = tileSize / 2;
    int face = 0;
    for (int j = 2; j < last - 1; ++j)
        for (int i = 2; i < last - 1; ++i)
            face += isFace(p.at(x + i, y + j));
    if (face == 0)
        return '.';
    const bool edges = !isFace(p.at(x, y + mid)) && isFace(p.at(x + 1, y + mid)) &&
                       isFace(p.at(x + last - 2, y + mid)) &&
                       !isFace(p.at(x + last - 1, y + mid)) && !isFace(p.at(x + mid, y)) &&
                       isFace(p.at(x + mid, y + 1)) && isFace(p.at(x + mid, y + last - 2)) &&
                       !isFace(p.at(x + mid, y + last - 1));
    return edges && face >= (last - 2) * (last - 2) * 3 / 4 ? '#' : '?';
}

} // namespace

Rgb highlight()
{
    const char *named = std::getenv("E2E_HIGHLIGHT");
    if (!named)
        return {48, 140, 198};
    Rgb c;
    if (std::sscanf(named, "%d,%d,%d", &c.r, &c.g, &c.b) != 3)
        throw Failure(std::string("E2E_HIGHLIGHT is not r,g,b: ") + named);
    return c;
}

bool sameColour(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 6;
}

// The tiles stand inside Picture1's 30-twip border, 1000 twips a cell.
int cellLeft(int col, int dpi)
{
    return pixels(1320, dpi) + pixels(30, dpi) + pixels(col * 1000, dpi);
}

int cellTop(int row, int dpi)
{
    return pixels(1320, dpi) + pixels(30, dpi) + pixels(row * 1000, dpi);
}

Layout measureLayout(const Pixels &picture, int right, int bottom, int dpi)
{
    Layout out;
    const Rgb bg = picture.at(right, bottom);
    out.background = bg;
    // One pixel in from the edges.
    const int edgeX = std::max(right - 1, 0), edgeY = std::max(bottom - 1, 0);
    int top = bottom, left = right;
    while (top > 0 && sameColour(picture.at(edgeX, top - 1), bg))
        --top;
    while (left > 0 && sameColour(picture.at(left - 1, edgeY), bg))
        --left;
    out.client = {left, top, right - left + 1, bottom - top + 1};
    if (out.client.width != pixels(5730, dpi) || out.client.height != pixels(6570, dpi))
        return out;

    // The board is the run of other colours that holds its middle, along a
    // row and a column.
    const int boardMid = pixels(1320, dpi) + pixels(3050, dpi) / 2;
    const int midX = left + boardMid, midY = top + boardMid;
    int x0 = midX, x1 = midX, y0 = midY, y1 = midY;
    while (x0 > left && !sameColour(picture.at(x0 - 1, midY), bg))
        --x0;
    while (x1 < right && !sameColour(picture.at(x1 + 1, midY), bg))
        ++x1;
    while (y0 > top && !sameColour(picture.at(midX, y0 - 1), bg))
        --y0;
    while (y1 < bottom && !sameColour(picture.at(midX, y1 + 1), bg))
        ++y1;
    out.board = {x0 - left, y0 - top, x1 - x0 + 1, y1 - y0 + 1};

    for (int cell = 0; cell < 9; ++cell)
        out.cells += cellShows(picture, left + cellLeft(cell % 3, dpi),
                               top + cellTop(cell / 3, dpi), pixels(990, dpi));
    return out;
}

void checkLayout(const Layout &l, int dpi)
{
    const Box &c = l.client, &b = l.board;
    const Rgb want = highlight();
    const int width = pixels(5730, dpi), height = pixels(6570, dpi);
    const int boardAt = pixels(1320, dpi), boardSide = pixels(3050, dpi);
    std::printf("client area %dx%d, colour (%d,%d,%d)\n", c.width, c.height, l.background.r,
                l.background.g, l.background.b);
    if (!sameColour(l.background, want))
        throw Failure("the client area is not the system's highlight colour (" +
                      std::to_string(want.r) + "," + std::to_string(want.g) + "," +
                      std::to_string(want.b) + ")");
    if (c.width != width || c.height != height)
        throw Failure("the client area is not " + std::to_string(width) + "x" +
                      std::to_string(height));
    std::printf("board at (%d,%d), %dx%d\n", b.x, b.y, b.width, b.height);
    if (b.x != boardAt || b.y != boardAt || b.width != boardSide || b.height != boardSide)
        throw Failure("the board is not at (" + std::to_string(boardAt) + "," +
                      std::to_string(boardAt) + ") with " + std::to_string(boardSide) + "x" +
                      std::to_string(boardSide));
    std::printf("tiles %s\n", l.cells.c_str());
    if (l.cells != "########.")
        throw Failure("the tiles are not on their home cells with (2,2) free");
}

} // namespace e2e
