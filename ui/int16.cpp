// Checked 16-bit arithmetic: compute in a wider type, then range-check.
#include "int16.h"

#include "error.h"

#include <cmath>
#include <limits>

namespace ui
{

namespace
{

Int16 narrow(std::int32_t value)
{
    if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max())
        raise(ErrorCode::Overflow);
    return static_cast<Int16>(value);
}

} // namespace

Int16 add(Int16 a, Int16 b)
{
    return narrow(std::int32_t{a} + b);
}
Int16 sub(Int16 a, Int16 b)
{
    return narrow(std::int32_t{a} - b);
}
Int16 mul(Int16 a, Int16 b)
{
    return narrow(std::int32_t{a} * b);
}
Int16 neg(Int16 a)
{
    return narrow(-std::int32_t{a});
}
Int16 abs(Int16 a)
{
    return narrow(a < 0 ? -std::int32_t{a} : std::int32_t{a});
}

Int16 idiv(Int16 a, Int16 b)
{
    if (b == 0)
        raise(ErrorCode::DivisionByZero);
    return narrow(std::int32_t{a} / b); // C++ division already truncates toward zero
}

Int16 mod(Int16 a, Int16 b)
{
    if (b == 0)
        raise(ErrorCode::DivisionByZero);
    return narrow(std::int32_t{a} % b); // and % takes the sign of the dividend
}

Int16 toInt16(double value)
{
    if (!std::isfinite(value))
        raise(ErrorCode::Overflow);
    const double rounded = std::nearbyint(value); // default rounding mode: halves to even
    if (rounded < std::numeric_limits<Int16>::min() || rounded > std::numeric_limits<Int16>::max())
        raise(ErrorCode::Overflow);
    return static_cast<Int16>(rounded);
}

} // namespace ui
