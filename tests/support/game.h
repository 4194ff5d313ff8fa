// A game on the headless backend for tests: a fresh Form1 whose Form_Load
// has run on a fresh random series, and helpers to set up boards.
#pragma once

#include "app/form1.h"
#include "ui/headless.h"
#include "ui/random.h"
#include "ui/text.h"

#include <array>
#include <string>

struct Game {
    ui::Headless ui;
    Form1 form;

    Game()
    {
        ui::setRandomSource({});
        ui.load(form);
    }

    // Puts tile `index` on cell (r, c) by writing its coordinates directly.
    void place(int index, int r, int c)
    {
        form.Command1(ui::Int16(index)).setTop(float(r * 1000));
        form.Command1(ui::Int16(index)).setLeft(float(c * 1000));
    }

    // Tile i on its home cell with caption i + 1: the solved board.
    void solve()
    {
        for (int i = 0; i < 8; ++i) {
            place(i, i / 3, i % 3);
            form.Command1(ui::Int16(i)).setCaption(std::to_string(i + 1));
        }
    }

    // Solved but for "8" standing in the bottom-right cell: clicking tile 7
    // is the winning move.
    void oneMoveFromWin()
    {
        solve();
        place(7, 2, 2);
    }

    bool click(int tile) { return ui.click(form.Command1(ui::Int16(tile))); }
    bool key(int tile, char c) { return ui.keyPress(form.Command1(ui::Int16(tile)), ui::Int16(c)); }

    // Ticks Timer1 until it stops or `limit` ticks have run; returns the count.
    int runCelebration(int limit = 1000)
    {
        int n = 0;
        while (n < limit && ui.tick(form.Timer1))
            ++n;
        return n;
    }

    std::array<std::string, 8> captions()
    {
        std::array<std::string, 8> out;
        for (int i = 0; i < 8; ++i)
            out[size_t(i)] = form.Command1(ui::Int16(i)).caption();
        return out;
    }
};
