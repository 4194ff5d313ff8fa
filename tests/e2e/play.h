// Playing the game through its window as a player would: a plan of
// e2e_plan to the win, with the celebration timed; and a series of
// e2e_series, compared after every event with the game headless.
#pragma once

#include "screen.h"
#include "xsession.h"

#include <string>
#include <thread>

namespace e2e
{

// The bound of every wait, in seconds: E2E_TIMEOUT, 30 unless set.
double timeout();

// Polls `pred` until it holds; fails after the timeout. Returns the seconds
// it took.
template <typename Pred> double waitUntil(Pred pred, const std::string &what)
{
    const auto start = Clock::now();
    while (!pred()) {
        if (secondsSince(start) > timeout())
            throw Failure("timed out waiting for " + what);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return secondsSince(start);
}

void clickCell(XSession &x, int cell);

// Plays the plan at `path` to the win. With `stopWhileShown` returns while
// the smileys run; else times them and checks that the board stays locked.
// Returns the exit status.
int playPlan(XSession &x, Screen &screen, const std::string &path, bool stopWhileShown);

// Plays the series at `path` with real input, reading after each event the
// board and the hover colours from pixels and the rest from the controls as
// a screen reader reads them (readers.h), until they show what the game
// showed headless; fails naming the event and both sides.
void playSeries(XSession &x, Screen &screen, const std::string &path);

} // namespace e2e
