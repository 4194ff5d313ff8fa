// The program's random series and the hook that lets tests replace it.
#include "random.h"

#include <cassert>
#include <utility>

namespace ui
{

namespace
{

constexpr std::uint64_t multiplier = 6364136223846793005ULL;
constexpr std::uint64_t increment = 1442695040888963407ULL; // must be odd
constexpr std::uint64_t initialState = 0x853c49e6748fea9bULL;

RandomSource defaultSource()
{
    return [generator = Pcg32()]() mutable { return generator.nextFloat(); };
}

RandomSource &currentSource()
{
    static RandomSource source = defaultSource();
    return source;
}

} // namespace

Pcg32::Pcg32() : state_(initialState) {}

std::uint32_t Pcg32::nextBits()
{
    const std::uint64_t old = state_;
    state_ = old * multiplier + increment;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

float Pcg32::nextFloat()
{
    constexpr float scale = 1.0f / 16777216.0f; // 2^-24
    return static_cast<float>(nextBits() >> 8) * scale;
}

float rnd()
{
    const float u = currentSource()();
    assert(u >= 0.0f && u < 1.0f);
    return u;
}

void setRandomSource(RandomSource source)
{
    currentSource() = source ? std::move(source) : defaultSource();
}

} // namespace ui
