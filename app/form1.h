// The game window: its controls, the form-level variables that pass between
// handlers, and every handler and method of the game. The methods are
// defined by subsystem: layout and start-up here in app/, the commands in
// commands.cpp, board rules, deal and moves in engine/, the win in victory/.
#pragma once

#include "ui/controls.h"
#include "ui/int16.h"

class Form1 : public ui::Form
{
public:
    using Int16 = ui::Int16;

    // Builds every control on its laid-out place and wires the handlers.
    Form1();

    // Controls, declared in stacking order: later ones lie on top.
    ui::Label Label1{this, "Label1"};
    ui::PictureBox Picture1{this, "Picture1"};
    ui::ControlArray<ui::CommandButton> Command1{&Picture1, "Command1", 8};
    ui::Label Label2{this, "Label2"};
    ui::Label Label3{this, "Label3"};
    ui::CommandButton Command2{this, "Command2"};
    ui::CommandButton Command3{this, "Command3"};
    ui::ControlArray<ui::Image> Image1{this, "Image1", 4};
    ui::Timer Timer1{this, "Timer1"};
    ui::Menu mnuGame{this, "mnuGame"};
    ui::Menu mnuStart{&mnuGame, "mnuStart"};
    ui::Menu mnuExit{&mnuGame, "mnuExit"};
    ui::Menu mnuTip{this, "mnuTip"};
    ui::Menu mnushort{&mnuTip, "mnushort"};

    // The move counter, public for the window's users.
    Int16 clickNum = 0;

    // Start-up (app/form1.cpp).
    void Form_Load();

    // Commands (app/commands.cpp).
    void Command2_Click();
    void mnuStart_Click();
    void Command3_Click();
    void mnuExit_Click();
    void mnushort_Click();
    void Command2_MouseMove(Int16 button, Int16 shift, float x, float y);
    void Command3_MouseMove(Int16 button, Int16 shift, float x, float y);
    void Form_MouseMove(Int16 button, Int16 shift, float x, float y);

    // Board rules (engine/rules.cpp).
    Int16 findRow(float r);
    Int16 isNext(Int16 r1, Int16 c1, Int16 r2, Int16 c2);
    void finEmp();
    Int16 isWin();

    // Deal and reset (engine/deal.cpp).
    void create();
    void arrangeNew();

    // Tile moves (engine/moves.cpp).
    void Command1_Click(Int16 Index);
    void Command1_KeyPress(Int16 Index, Int16 &KeyAscii);

    // The win (victory/victory.cpp).
    void aWin();
    void Timer1_Timer();

    // Form-level variables; all start at 0 (False). Public so that tests
    // can read the state between events.
    Int16 row = 0, col = 0;       // cell of the tile being moved
    Int16 empRow = 0, empCol = 0; // target cell of the move
    Int16 comRow = 0, comCol = 0; // free cell as last found by finEmp
    Int16 isOk = 0;               // the move under decision is allowed
    Int16 isShift = 0;            // the "a" shortcut is armed
    Int16 X = 0;                  // direction of the celebration, +1 or -1
};
