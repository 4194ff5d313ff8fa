// Local arrays of the game code: fixed bounds 0 to N-1 in each dimension,
// every index checked and raising the subscript error when out of range.
#pragma once

#include "error.h"
#include "int16.h"

#include <array>

namespace ui
{

template <typename T, int N> class FixedArray
{
public:
    T &operator()(Int16 i)
    {
        check(i);
        return items_[static_cast<std::size_t>(i)];
    }

private:
    static void check(Int16 i)
    {
        if (i < 0 || i >= N)
            raise(ErrorCode::SubscriptOutOfRange);
    }
    std::array<T, N> items_{};
};

template <typename T, int Rows, int Cols> class FixedArray2
{
public:
    T &operator()(Int16 r, Int16 c)
    {
        if (r < 0 || r >= Rows || c < 0 || c >= Cols)
            raise(ErrorCode::SubscriptOutOfRange);
        return items_[static_cast<std::size_t>(r) * Cols + static_cast<std::size_t>(c)];
    }

private:
    std::array<T, std::size_t{Rows} * Cols> items_{};
};

} // namespace ui
