// Board geometry and rules. The board has no store of its own: every rule
// reads the tiles' Top, Left and Caption back from the controls each time.
// A cell's pitch is 1000 twips; tiles are 990 square, so 10-twip seams lie
// between them, and a coordinate in a seam maps to index 0.
#include "app/form1.h"

#include "ui/array.h"
#include "ui/text.h"

using ui::Int16;

Int16 Form1::findRow(float r)
{
    Int16 result = 0;
    if (r <= 990.0f)
        result = 0;
    else if (r >= 1000.0f && r <= 1990.0f)
        result = 1;
    else if (r >= 2000.0f && r <= 3000.0f)
        result = 2;
    return result;
}

Int16 Form1::isNext(Int16 r1, Int16 c1, Int16 r2, Int16 c2)
{
    const Int16 dr = ui::abs(ui::sub(r1, r2));
    const Int16 dc = ui::abs(ui::sub(c1, c2));
    return ui::toBool((dr == 0 && dc == 1) || (dr == 1 && dc == 0));
}

void Form1::finEmp()
{
    ui::FixedArray2<Int16, 11, 11> isFree;
    for (Int16 r = 0; r <= 2; ++r)
        for (Int16 c = 0; c <= 2; ++c)
            isFree(r, c) = ui::BoolTrue;
    for (Int16 k = 0; k <= 7; ++k) {
        const Int16 r = findRow(Command1(k).top());
        const Int16 c = findRow(Command1(k).left());
        isFree(r, c) = ui::BoolFalse;
    }
    // No early exit: with two free cells the later one in reading order wins.
    for (Int16 r = 0; r <= 2; ++r) {
        for (Int16 c = 0; c <= 2; ++c) {
            if (isFree(r, c)) {
                comRow = r;
                comCol = c;
            }
        }
    }
}

Int16 Form1::isWin()
{
    for (Int16 k = 0; k <= 7; ++k) {
        const Int16 n = ui::toInt16(ui::val(Command1(k).caption()) - 1.0);
        // Both coordinates are read even when the first already fails.
        const bool rowOk = Command1(k).top() == static_cast<float>(ui::mul(ui::idiv(n, 3), 1000));
        const bool colOk = Command1(k).left() == static_cast<float>(ui::mul(ui::mod(n, 3), 1000));
        if (!rowOk || !colOk)
            return ui::BoolFalse;
    }
    return ui::BoolTrue;
}
