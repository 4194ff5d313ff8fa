// The winner announcement and the celebration: four smileys run along the
// sides of the board, 50 twips a tick, out clockwise and back, then vanish.
// The images' own coordinates are the celebration's only position state.
#include "app/form1.h"

using ui::Int16;

namespace
{
constexpr float endThreshold = 50;    // go on while Image1(0).Left is above this
constexpr float turnThreshold = 4300; // turn on the tick that finds it beyond this
constexpr Int16 step = 50;
} // namespace

void Form1::aWin()
{
    Label1.setCaption("You are the winner!");
    Picture1.setEnabled(false);
    for (Int16 i = 0; i <= 3; ++i)
        Image1(i).setVisible(true);
    Image1(0).setTop(960);
    Image1(0).setLeft(100);
    Image1(1).setTop(0);
    Image1(1).setLeft(4440);
    Image1(2).setTop(4440);
    Image1(2).setLeft(5400);
    Image1(3).setTop(6240);
    Image1(3).setLeft(960);
    X = 1;
    // Enabling a running timer keeps its one series of ticks, so a second
    // win during the celebration simply starts it over.
    Timer1.setEnabled(true);
}

void Form1::Timer1_Timer()
{
    if (!(Image1(0).left() > endThreshold)) {
        for (Int16 i = 0; i <= 3; ++i)
            Image1(i).setVisible(false);
        Timer1.setEnabled(false);
        return;
    }
    if (Image1(0).left() > turnThreshold)
        X = ui::neg(X);
    // The turn comes first, so the turning tick already steps back.
    Image1(0).move(Image1(0).left() + ui::mul(X, step), Image1(0).top());
    Image1(1).move(Image1(1).left(), Image1(1).top() + ui::mul(X, step));
    Image1(2).move(Image1(2).left() + ui::mul(X, ui::neg(step)), Image1(2).top());
    Image1(3).move(Image1(3).left(), Image1(3).top() + ui::neg(ui::mul(X, step)));
}
