// The unseeded random series: 32-bit floats in [0, 1), the same on every run,
// compiler and platform. Tests may put their own source in its place.
#pragma once

#include <cstdint>
#include <functional>

namespace ui
{

// PCG32 (XSH RR) with fixed state and stream. Defined here rather than taken
// from <random> because the standard distributions differ between libraries
// and some can return 1.0.
class Pcg32
{
public:
    Pcg32();
    std::uint32_t nextBits();
    // 24 random bits times 2^-24: exact in a float and never 1.0.
    float nextFloat();

private:
    std::uint64_t state_;
};

using RandomSource = std::function<float()>;

// The next value of the program's series.
float rnd();

// Replaces the series; an empty source restores a fresh default series.
void setRandomSource(RandomSource source);

} // namespace ui
