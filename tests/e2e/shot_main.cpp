// e2e_shot: the eyes of the Wayland end-to-end test. Reads a compositor's
// screenshot and checks the game's window in it as the X probe's "layout"
// does:
//   e2e_shot PNG X0 Y0 X1 Y1
// (X0,Y0)-(X1,Y1) is the window's surface on the screen, the decorations
// that the client draws included. The client area is where the Highlight
// colour is; its lowest row and right-most column are its bottom-right
// corner, from which it is measured. Exit status 0 when the window is as
// laid out, 1 otherwise.
//
// Qt only decodes the PNG here; the analysis is the probe's, free of Qt.
#include "layout.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace e2e;

namespace
{

Pixels readPng(const char *path)
{
    const QImage image = QImage(QString::fromLocal8Bit(path)).convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw Failure(std::string("cannot read the screenshot ") + path);
    Pixels out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.set(x, y, {qRed(line[x]), qGreen(line[x]), qBlue(line[x])});
    }
    return out;
}

int run(int argc, char **argv)
{
    if (argc != 6)
        throw Failure("usage: e2e_shot PNG X0 Y0 X1 Y1");
    const Pixels shot = readPng(argv[1]);
    const int x0 = std::max(std::stoi(argv[2]), 0), y0 = std::max(std::stoi(argv[3]), 0);
    const int x1 = std::min(std::stoi(argv[4]), shot.width());
    const int y1 = std::min(std::stoi(argv[5]), shot.height());
    if (x1 <= x0 || y1 <= y0)
        throw Failure("the window is not on the screen");
    std::printf("window at (%d,%d), %dx%d on the screen\n", x0, y0, x1 - x0, y1 - y0);

    int right = -1, bottom = -1;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (sameColour(shot.at(x, y), highlight())) {
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        // Bare client area, inside any decoration's border.
        const Rgb c = shot.at(std::max(x1 - 10, x0), std::max(y1 - 10, y0));
        throw Failure("no pixel of the Highlight colour (48,140,198) in the window; near its "
                      "bottom-right corner it is (" +
                      std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
                      ")");
    }
    const Layout measured = measureLayout(shot, right, bottom);
    std::printf("client area at (%d,%d) on the screen, %d px below the window's top\n",
                measured.client.x, measured.client.y, measured.client.y - y0);
    checkLayout(measured);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception &e) {
        std::fflush(stdout);
        std::fprintf(stderr, "FAIL: %s\n", e.what());
        return 1;
    }
}
