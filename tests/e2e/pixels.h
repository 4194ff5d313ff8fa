// Screen pixels as the end-to-end tests see them, read from the X server or
// from a compositor's screenshot, and the failure that the drivers report.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace e2e
{

// A failed expectation of a test step; the drivers print it and fail.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A rectangle of screen pixels.
class Pixels
{
public:
    Pixels(int width, int height) : width_(width), height_(height), data_(size_t(width * height)) {}
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const { return data_[size_t(y * width_ + x)]; }
    void set(int x, int y, Rgb c) { data_[size_t(y * width_ + x)] = c; }
    // A copy of the sub-rectangle; what lies outside this one reads as black.
    Pixels part(int x, int y, int w, int h) const
    {
        Pixels out(w, h);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (x + i >= 0 && x + i < width_ && y + j >= 0 && y + j < height_)
                    out.set(i, j, at(x + i, y + j));
        return out;
    }
    // Mean colour of the sub-rectangle; used to look past anti-aliasing.
    Rgb mean(int x, int y, int w, int h) const
    {
        long r = 0, g = 0, b = 0, n = 0;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) {
                const Rgb c = at(i, j);
                r += c.r;
                g += c.g;
                b += c.b;
                ++n;
            }
        }
        if (n == 0)
            return {};
        return {int(r / n), int(g / n), int(b / n)};
    }

private:
    int width_, height_;
    std::vector<Rgb> data_;
};

} // namespace e2e
