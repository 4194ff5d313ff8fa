// Pixel reading of the game window: cell colours, tile numbers by their ink
// pattern, the smiley tracks and the hover highlight of the command buttons.
#include "screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace e2e
{

namespace
{

// The number's ink is looked for in the middle of the tile, clear of the
// focus frame drawn near the tile's edge.
constexpr int glyphX = 13, glyphY = 16, glyphW = 40, glyphH = 34;

constexpr Rgb faceColour{255, 255, 192};

bool isTileFace(Rgb c)
{
    // Light yellow (255, 255, 192), with leeway: this tells a tile from the
    // free cell; the widget tests check the exact colour.
    return c.r >= 200 && c.g >= 200 && c.r - c.b >= 12 && std::abs(c.r - c.g) <= 8;
}

bool isGrey(Rgb c)
{
    return c.r >= 170 && std::abs(c.r - c.g) <= 8 && std::abs(c.r - c.b) <= 8;
}

bool isSmileyYellow(Rgb c)
{
    return c.r >= 200 && c.g >= 200 && c.b <= 80;
}

std::string text(Rgb c)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "(%d,%d,%d)", c.r, c.g, c.b);
    return buffer;
}

// Brightness, 0 to 2550.
int lightness(Rgb c)
{
    return c.r * 3 + c.g * 6 + c.b;
}

} // namespace

BoardText shapeOf(const BoardText &board)
{
    BoardText out = board;
    for (char &c : out)
        if (c >= '1' && c <= '9')
            c = '#';
    return out;
}

Screen::Glyph Screen::glyphAt(const Pixels &shot, int cell) const
{
    Glyph g(size_t(glyphW * glyphH));
    const int x0 = cellLeft(cell % 3) - boardLeft + glyphX;
    const int y0 = cellTop(cell / 3) - boardTop + glyphY;
    // Ink is whatever lies nearer the darkest pixel than the face colour:
    // the same shape whether the number is black or, on a board that a
    // toolkit draws as disabled after a win, grey.
    int darkest = lightness(faceColour);
    for (int y = 0; y < glyphH; ++y)
        for (int x = 0; x < glyphW; ++x)
            darkest = std::min(darkest, lightness(shot.at(x0 + x, y0 + y)));
    const int threshold = (darkest + lightness(faceColour)) / 2;
    for (int y = 0; y < glyphH; ++y)
        for (int x = 0; x < glyphW; ++x)
            g[size_t(y * glyphW + x)] = lightness(shot.at(x0 + x, y0 + y)) < threshold;
    return g;
}

char Screen::numberOf(const Glyph &glyph) const
{
    int best = -1, bestDistance = 1 << 30, bestInk = 0;
    for (int n = 1; n <= 8; ++n) {
        const Glyph &ref = glyphs_[size_t(n)];
        int distance = 0, ink = 0;
        for (size_t i = 0; i < ref.size(); ++i) {
            distance += ref[i] != glyph[i];
            ink += ref[i];
        }
        if (distance < bestDistance) {
            best = n;
            bestDistance = distance;
            bestInk = ink;
        }
    }
    // A clear match differs in a few edge pixels at most; two different
    // digits differ in a good part of their strokes.
    if (best < 0 || bestDistance > bestInk / 5)
        return '#';
    return char('0' + best);
}

void Screen::learn(const BoardText &board)
{
    const Pixels shot = x_.grabClient().part(boardLeft, boardTop, 203, 203);
    for (int cell = 0; cell < 9; ++cell) {
        const char c = board[size_t(cell)];
        if (c >= '1' && c <= '8')
            glyphs_[size_t(c - '0')] = glyphAt(shot, cell);
    }
    for (int n = 1; n <= 8; ++n) {
        int ink = 0;
        for (bool b : glyphs_[size_t(n)])
            ink += b;
        if (ink < 20)
            throw Failure("no number " + std::to_string(n) + " seen on the board " + board);
    }
    learned_ = true;
}

void Screen::saveGlyphs(const std::string &path) const
{
    std::ofstream out(path);
    for (int n = 1; n <= 8; ++n) {
        for (bool b : glyphs_[size_t(n)])
            out << (b ? '1' : '0');
        out << '\n';
    }
    if (!out)
        throw Failure("cannot write " + path);
}

void Screen::loadGlyphs(const std::string &path)
{
    std::ifstream in(path);
    for (int n = 1; n <= 8; ++n) {
        std::string line;
        if (!std::getline(in, line) || line.size() != size_t(glyphW * glyphH))
            throw Failure("bad glyph file " + path);
        Glyph g(line.size());
        for (size_t i = 0; i < line.size(); ++i)
            g[i] = line[i] == '1';
        glyphs_[size_t(n)] = g;
    }
    learned_ = true;
}

BoardText Screen::board()
{
    return board(x_.grabClient());
}

BoardText Screen::board(const Pixels &client)
{
    const Pixels shot = client.part(boardLeft, boardTop, 203, 203);
    BoardText out(9, '?');
    std::string reading;
    for (int cell = 0; cell < 9; ++cell) {
        const int x = cellLeft(cell % 3) - boardLeft, y = cellTop(cell / 3) - boardTop;
        // The lower left corner of the cell: below the number, inside the
        // focus frame.
        const Rgb face = shot.mean(x + 5, y + 48, 10, 12);
        const Rgb middle = shot.mean(x + 20, y + 20, 26, 26);
        if (isTileFace(face))
            out[size_t(cell)] = learned_ ? numberOf(glyphAt(shot, cell)) : '#';
        else if (isGrey(face) && isGrey(middle))
            out[size_t(cell)] = '.';
        char line[120];
        std::snprintf(line, sizeof line, "cell %d at client (%d,%d): corner %s, middle %s -> %c\n",
                      cell, x + boardLeft, y + boardTop, text(face).c_str(), text(middle).c_str(),
                      out[size_t(cell)]);
        reading += line;
    }
    const TopLevel &w = x_.window();
    const Box &c = x_.client();
    char place[200];
    std::snprintf(place, sizeof place,
                  "window 0x%lx %dx%d+%d+%d, menu bar %d px, client area %dx%d+%d+%d of the "
                  "window\nboard %s\n",
                  w.id, w.width, w.height, w.x, w.y, x_.menuBarHeight(), c.width, c.height, c.x,
                  c.y, out.c_str());
    lastReading_ = place + reading;
    return out;
}

BoardText Screen::waitBoard(const BoardText &expected, double timeoutSeconds)
{
    const auto start = Clock::now();
    const BoardText want = learned_ ? expected : shapeOf(expected);
    BoardText seen;
    for (;;) {
        seen = board();
        if ((learned_ ? seen : shapeOf(seen)) == want)
            return seen;
        if (secondsSince(start) > timeoutSeconds)
            throw Failure("board shows " + seen + ", expected " + want);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int Screen::smileysShown()
{
    // One line through the middle of each track: Image1(0) runs along
    // y 64..83, Image1(1) along x 296..315, Image1(2) along y 296..315 and
    // Image1(3) along x 64..83.
    const Pixels client = x_.grabClient();
    const Pixels rows[] = {client.part(0, 74, XSession::clientWidth, 1),
                           client.part(306, 0, 1, XSession::clientHeight),
                           client.part(0, 306, XSession::clientWidth, 1),
                           client.part(74, 0, 1, XSession::clientHeight)};
    int shown = 0;
    for (const Pixels &p : rows) {
        int yellow = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                yellow += isSmileyYellow(p.at(x, y));
        shown += yellow >= 3;
    }
    return shown;
}

int Screen::topSmileyX()
{
    const Pixels row = x_.grabClient().part(0, 74, XSession::clientWidth, 1);
    int sum = 0, n = 0;
    for (int x = 0; x < row.width(); ++x) {
        if (isSmileyYellow(row.at(x, 0))) {
            sum += x;
            ++n;
        }
    }
    return n < 3 ? -1 : sum / n;
}

bool Screen::command2Highlighted()
{
    return command2Highlighted(x_.grabClient());
}

bool Screen::command3Highlighted()
{
    return command3Highlighted(x_.grabClient());
}

bool Screen::command2Highlighted(const Pixels &client)
{
    const Rgb c = client.mean(95, 402, 60, 4);
    return c.r - c.b >= 25;
}

bool Screen::command3Highlighted(const Pixels &client)
{
    const Rgb c = client.mean(245, 402, 60, 4);
    return c.r - c.b >= 25;
}

template <typename Pred> void Screen::waitFor(Pred pred, const char *what, double timeoutSeconds)
{
    const auto start = Clock::now();
    while (!pred()) {
        if (secondsSince(start) > timeoutSeconds)
            throw Failure(std::string("timed out waiting for ") + what);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Screen::barrier(double timeoutSeconds)
{
    x_.moveTo(bareX, bareY);
    waitFor([this] { return !command2Highlighted(); }, "Command2 to lose its highlight",
            timeoutSeconds);
    x_.moveTo(command2X, command2Y);
    waitFor([this] { return command2Highlighted(); }, "Command2's hover highlight", timeoutSeconds);
    x_.moveTo(bareX, bareY);
    waitFor([this] { return !command2Highlighted(); }, "Command2 to lose its highlight",
            timeoutSeconds);
}

} // namespace e2e
