// 16-bit signed integers as the game counts: every operation is checked and
// raises the overflow error instead of wrapping. Booleans are 16-bit too,
// True = -1 and False = 0, and any non-zero value tests true.
#pragma once

#include <cstdint>

namespace ui
{

using Int16 = std::int16_t;

inline constexpr Int16 BoolTrue = -1;
inline constexpr Int16 BoolFalse = 0;

constexpr Int16 toBool(bool b)
{
    return b ? BoolTrue : BoolFalse;
}

Int16 add(Int16 a, Int16 b);
Int16 sub(Int16 a, Int16 b);
Int16 mul(Int16 a, Int16 b);
Int16 neg(Int16 a);
Int16 abs(Int16 a);
// Integer division truncating toward zero (the \ operator).
Int16 idiv(Int16 a, Int16 b);
// Remainder with the sign of the dividend (the Mod operator).
Int16 mod(Int16 a, Int16 b);
// Rounds to the nearest whole number, halves to even, and checks the range.
Int16 toInt16(double value);

} // namespace ui
