// A series of real input and what the game must show after each event: made
// once by e2e_series on the game's own Form1, headless, and played by every
// build (the probe for the Qt and Windows windows, tests/web for the page).
// One line an event, tab-separated:
//   N  ACTION  BOARD  CLICKS  BOARD-STATE  HOVER  FOCUS  STATUS
// ACTION is what the player does, in client pixels at 96 dpi (CSS pixels on
// the page): "click X Y WHAT", "double X Y WHAT", "move X Y WHAT",
// "key CHORD...", "tip KEY" (the tip opened with Alt+T, C and closed with
// KEY); WHAT names what lies under the point. BOARD is nine characters in
// reading order, '.' for the free cell; CLICKS the counter's text;
// BOARD-STATE "open" or "locked"; HOVER the faces of Command2 and Command3,
// 'y' light yellow, 'f' button face; FOCUS the control with the keyboard
// focus ("Picture1", "Command1(3)", "Command2"), "none" for no control;
// STATUS the status line. Line 0 is the start; "# row: NAME" lines name the
// rows of the table of sequences that follow.
#pragma once

#include <string>
#include <vector>

namespace e2e
{

struct Shown {
    std::string board, clicks, boardState, hover, focus, status;
    bool operator==(const Shown &) const = default;
};

struct SeriesEvent {
    int number = 0;
    std::string row; // the table's row it belongs to; empty in the random part
    std::string action;
    Shown after;
};

std::string formatEvent(const SeriesEvent &event);
std::vector<SeriesEvent> readSeries(const std::string &path);

// "focus: Command2 expected, Picture1 shown; ..." for every field that differs.
std::string differences(const Shown &expected, const Shown &shown);

} // namespace e2e
