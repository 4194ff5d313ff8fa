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

// The bevel's dark side: shadow and darkest shadow, well below the face's
// brightness and the light sides'.
bool isDark(Rgb c)
{
    return c.r + c.g + c.b <= 3 * 170;
}

// '#' when the face fills the tile box (x, y, w, h) of the picture but for
// the number's ink, inside the tile's bevel of two rings, each `line` pixels
// wide, whole on all four sides: at the top and left the outer ring is
// light or shadow and the inner one the face's own colour; at the bottom and
// right both are dark, out to the box's last pixel. A tile a pixel off, or
// cut by the board's border, fails.
char cellShows(const Pixels &p, int x, int y, int w, int h, int line)
{
    const int edge = 2 * line;
    int face = 0;
    for (int j = edge; j < h - edge; ++j)
        for (int i = edge; i < w - edge; ++i)
            face += isFace(p.at(x + i, y + j));
    if (face == 0)
        return '.';
    const int midX = x + w / 2, midY = y + h / 2;
    bool edges = true;
    for (int k = 0; k < line; ++k) {
        edges = edges && !isFace(p.at(x + k, midY)) && !isFace(p.at(midX, y + k)) &&
                isFace(p.at(x + line + k, midY)) && isFace(p.at(midX, y + line + k));
    }
    for (int k = 1; k <= edge; ++k)
        edges = edges && isDark(p.at(x + w - k, midY)) && isDark(p.at(midX, y + h - k));
    edges = edges && isFace(p.at(x + w - edge - 1, midY)) && isFace(p.at(midX, y + h - edge - 1));
    return edges && face >= (w - 2 * edge) * (h - 2 * edge) * 3 / 4 ? '#' : '?';
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
    return pixels(1320 + 30 + col * 1000, dpi);
}

int cellTop(int row, int dpi)
{
    return cellLeft(row, dpi);
}

int cellRight(int col, int dpi)
{
    return pixels(1320 + 30 + col * 1000 + 990, dpi);
}

int cellBottom(int row, int dpi)
{
    return cellRight(row, dpi);
}

bool findClientArea(const Pixels &p, int dpi, Box &client, int &menuBar)
{
    const int wantHeight = pixels(6570, dpi);
    client = {0, p.height() - wantHeight, p.width(), wantHeight};
    menuBar = client.y;
    return true;
}

bool findFramedClientArea(const Pixels &p, int dpi, Box &client, int &menuBar)
{
    const int w = p.width(), h = p.height();
    const int wantWidth = pixels(5730, dpi), wantHeight = pixels(6570, dpi);
    // Wine draws the frame, the caption and the menu bar inside the X
    // window. The client area is the box of the background colour within.
    // Its bottom-right corner: the first pixel of that colour on the
    // diagonal in from the window's corner, then as far right and down as
    // the colour goes. Its left and top end the colour's runs along its
    // bottom row and up its left column, edges that no control covers. The
    // tip box, which Wine centres on the screen, stays clear of these lines;
    // a menu's drop-down does not, for a moment after an item is chosen, and
    // cuts the run up the left column short: a box of another size than the
    // one laid out is such a look, and not the client area.
    const Rgb bg = highlight();
    int k = 0;
    while (k < std::min(w, h) - 1 && !sameColour(p.at(w - 1 - k, h - 1 - k), bg))
        ++k;
    int right = w - 1 - k, bottom = h - 1 - k;
    while (right + 1 < w && sameColour(p.at(right + 1, bottom), bg))
        ++right;
    while (bottom + 1 < h && sameColour(p.at(right, bottom + 1), bg))
        ++bottom;
    int left = right, top = bottom;
    while (left > 0 && sameColour(p.at(left - 1, bottom), bg))
        --left;
    while (top > 0 && sameColour(p.at(left, top - 1), bg))
        --top;
    client = {left, top, right - left + 1, bottom - top + 1};
    if (client.width != wantWidth || client.height != wantHeight || top == 0)
        return false;
    // The menu bar: the rows of its own colour right above the client area.
    const Rgb menu = p.at(right, top - 1);
    int above = top - 1;
    while (above > 0 && sameColour(p.at(right, above - 1), menu))
        --above;
    menuBar = top - above;
    return true;
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
    const int boardMid = (pixels(1320, dpi) + pixels(1320 + 3050, dpi)) / 2;
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

    // The border, measured inwards along the middle row and column, ends
    // where a tile's edge begins.
    const auto run = [&](int x, int y, int dx, int dy, bool (*in)(Rgb)) {
        int n = 0;
        while (n < 12 && in(picture.at(x + n * dx, y + n * dy)))
            ++n;
        return n;
    };
    const auto light = [](Rgb c) { return !isFace(c) && !isDark(c); };
    const int insideX0 = x0 + run(x0, midY, 1, 0, isDark);
    const int insideY0 = y0 + run(midX, y0, 0, 1, isDark);
    const int insideX1 = x1 + 1 - run(x1, midY, -1, 0, light);
    const int insideY1 = y1 + 1 - run(midX, y1, 0, -1, light);
    out.inside = {insideX0 - left, insideY0 - top, insideX1 - insideX0, insideY1 - insideY0};
    if (isDark(picture.at(insideX1 - 1, midY)))
        out.tileRight = insideX1 - left;
    if (isDark(picture.at(midX, insideY1 - 1)))
        out.tileBottom = insideY1 - top;

    // The bevel's rings are a pixel at 96 dpi, as wide as 15 twips round to.
    const int line = std::max(pixels(15, dpi), 1);
    for (int cell = 0; cell < 9; ++cell) {
        const int col = cell % 3, row = cell / 3;
        out.cells += cellShows(picture, left + cellLeft(col, dpi), top + cellTop(row, dpi),
                               cellRight(col, dpi) - cellLeft(col, dpi),
                               cellBottom(row, dpi) - cellTop(row, dpi), line);
    }
    return out;
}

void checkLayout(const Layout &l, int dpi)
{
    const Box &c = l.client, &b = l.board;
    const Rgb want = highlight();
    const int width = pixels(5730, dpi), height = pixels(6570, dpi);
    const int boardAt = pixels(1320, dpi), boardSide = pixels(1320 + 3050, dpi) - boardAt;
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
    const Box &in = l.inside;
    std::printf("board's inside (%d,%d) to (%d,%d); tiles' dark edges end at x %d, y %d\n", in.x,
                in.y, in.x + in.width, in.y + in.height, l.tileRight, l.tileBottom);
    std::printf("tiles %s\n", l.cells.c_str());
    if (l.cells != "########.")
        throw Failure("the tiles are not on their home cells with (2,2) free");
    if (l.tileRight != in.x + in.width || l.tileBottom != in.y + in.height)
        throw Failure("the last column's and row's tiles do not meet the board's inside with "
                      "their dark edges");
}

} // namespace e2e
