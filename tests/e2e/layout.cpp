// Measuring the window from its pixels: runs of the background colour for
// the client area and the board, the tiles by their flat faces and bevels.
#include "layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
char cellShows(const Pixels &p, int x, int y)
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

bool sameColour(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 6;
}

int cellLeft(int col)
{
    return boardLeft + 2 + int(std::lround(col * 1000 / 15.0));
}

int cellTop(int row)
{
    return boardTop + 2 + int(std::lround(row * 1000 / 15.0));
}

Layout measureLayout(const Pixels &picture, int right, int bottom)
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
    if (out.client.width != clientWidth || out.client.height != clientHeight)
        return out;

    // The board is the run of other colours that holds its middle, along a
    // row and a column.
    const int midX = left + boardLeft + boardSize / 2, midY = top + boardTop + boardSize / 2;
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
        out.cells += cellShows(picture, left + cellLeft(cell % 3), top + cellTop(cell / 3));
    return out;
}

void checkLayout(const Layout &l)
{
    const Box &c = l.client, &b = l.board;
    std::printf("client area %dx%d, colour (%d,%d,%d)\n", c.width, c.height, l.background.r,
                l.background.g, l.background.b);
    if (!sameColour(l.background, highlight))
        throw Failure("the client area is not the palette's Highlight (48,140,198)");
    if (c.width != clientWidth || c.height != clientHeight)
        throw Failure("the client area is not 382x438");
    std::printf("board at (%d,%d), %dx%d\n", b.x, b.y, b.width, b.height);
    if (b.x != boardLeft || b.y != boardTop || b.width != boardSize || b.height != boardSize)
        throw Failure("the board is not at (88,88) with 203x203");
    std::printf("tiles %s\n", l.cells.c_str());
    if (l.cells != "########.")
        throw Failure("the tiles are not on their home cells with (2,2) free");
}

} // namespace e2e
