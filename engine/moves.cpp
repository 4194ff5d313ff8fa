// The player's hand on the board: a click moves a tile into the free cell
// when the rules allow it, and the "a" key arms a one-click jump.
#include "app/form1.h"

#include "ui/text.h"

#include <limits>

using ui::Int16;

void Form1::Command1_Click(Int16 Index)
{
    row = findRow(Command1(Index).top());
    col = findRow(Command1(Index).left());
    finEmp();
    empRow = comRow;
    empCol = comCol;
    if (isShift)
        isOk = ui::BoolTrue;
    else
        isOk = isNext(empRow, empCol, row, col);
    if (isOk) {
        // Top before Left: a failure in between leaves the tile half moved
        // the same way on every backend.
        Command1(Index).setTop(static_cast<float>(ui::mul(empRow, 1000)));
        Command1(Index).setLeft(static_cast<float>(ui::mul(empCol, 1000)));
        // The counter stops at its 16-bit limit rather than overflowing, so
        // that an endless game keeps playing, counting and checking for a win.
        if (clickNum < std::numeric_limits<Int16>::max())
            clickNum = ui::add(clickNum, 1);
        Label3.setCaption(ui::str(clickNum));
    }
    if (isWin())
        aWin();
    isShift = ui::BoolFalse;
}

void Form1::Command1_KeyPress(Int16 Index, Int16 &KeyAscii)
{
    (void)Index; // the key may come from any tile
    isShift = ui::toBool(ui::chr(KeyAscii) == "a");
}
