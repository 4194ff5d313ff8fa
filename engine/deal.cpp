// Dealing the numbers 1 to 8 onto the tile captions, and putting the tiles
// back on their home cells. Each deal takes exactly eight random values.
#include "app/form1.h"

#include "ui/array.h"
#include "ui/error.h"
#include "ui/random.h"
#include "ui/text.h"

#include <cmath>

using ui::Int16;

void Form1::create()
{
    ui::FixedArray<Int16, 11> pool; // 0 marks a number already dealt
    ui::FixedArray<Int16, 11> dealt;
    for (Int16 i = 1; i <= 8; ++i) {
        dealt(i) = 0;
        pool(i) = i;
    }
    for (Int16 i = 1; i <= 8; ++i) {
        const float u = ui::rnd();
        // The start position is uniform over pool positions 1..9-i, dealt or
        // not; product and sum stay in double precision so the sum never
        // reaches 10-i.
        const double start = static_cast<double>(static_cast<float>(ui::sub(9, i))) * u + 1.0;
        if (!std::isfinite(start))
            ui::raise(ui::ErrorCode::Overflow);
        Int16 j = ui::toInt16(std::floor(start));
        while (pool(j) == 0)
            j = ui::add(j, 1);
        dealt(i) = pool(j);
        pool(j) = 0;
    }
    for (Int16 t = 0; t <= 7; ++t)
        Command1(t).setCaption(ui::str(dealt(ui::add(t, 1))));
}

void Form1::arrangeNew()
{
    for (Int16 i = 0; i <= 7; ++i) {
        Command1(i).setTop(static_cast<float>(ui::mul(ui::idiv(i, 3), 1000)));
        Command1(i).setLeft(static_cast<float>(ui::mul(ui::mod(i, 3), 1000)));
    }
}
