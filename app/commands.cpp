// The commands around a game: new game, exit and the tip, each from a button
// and from the menu bar, and the hover highlight of the two command buttons.
// A button and its menu twin repeat the same steps; neither calls the other.
#include "app/form1.h"

#include "ui/runtime.h"
#include "ui/text.h"

using ui::Int16;

void Form1::Command2_Click()
{
    create();
    arrangeNew();
    clickNum = 0;
    Label1.setCaption("Arrange the numbers from 1 to 8");
    Label3.setCaption(ui::str(0));
    Picture1.setEnabled(true);
}

void Form1::mnuStart_Click()
{
    create();
    arrangeNew();
    clickNum = 0;
    Label1.setCaption("Arrange the numbers from 1 to 8");
    Label3.setCaption(ui::str(0));
    Picture1.setEnabled(true);
}

void Form1::Command3_Click()
{
    ui::end();
}

void Form1::mnuExit_Click()
{
    ui::end();
}

void Form1::mnushort_Click()
{
    ui::msgBox("There is a shortcut in the puzzle, have you found it?", "Shortcut");
}

void Form1::Command2_MouseMove(Int16, Int16, float, float)
{
    Command2.setBackColor(ui::colors::lightYellow);
}

void Form1::Command3_MouseMove(Int16, Int16, float, float)
{
    Command3.setBackColor(ui::colors::lightYellow);
}

void Form1::Form_MouseMove(Int16, Int16, float, float)
{
    Command2.setBackColor(ui::colors::buttonFace);
    Command3.setBackColor(ui::colors::buttonFace);
}
