// What a player who cannot see the board hears after each event, decided
// here once for every backend from the writes the event's handler made and
// the controls as they stand. A backend hands it to its screen readers.
#pragma once

#include "controls.h"

#include <string>
#include <vector>

namespace ui
{

// What one event leaves to be heard, in two parts, since screen readers
// differ in the first: some speak a focused control's new name on their
// own, others only what the program announces.
struct Announcement {
    // The focused control's new name, when the event renamed it: the tile
    // that moved under the player's hand ("6, row 2, column 3").
    std::string focusName;
    // The rest, in the order it happened: a new deal as the board's rows,
    // each status written ("Total Clicks: 4", "You are the winner!"), a
    // tile that moved away from the focus, a press that moved nothing.
    std::string news;

    // Both parts, the focused control's name first.
    std::string text() const;
    bool empty() const { return focusName.empty() && news.empty(); }
};

// What screen readers learn from one event: the controls whose accessible
// names it changed, each once, and then what they hear.
struct Heard {
    std::vector<const Control *> renamed;
    Announcement announcement;
};

// Follows the events and writes of one form (its backend's observer calls
// these) and says, once the outermost handler ends, what screen readers
// learn. A handler's writes rename controls at its end only: a new deal
// renames each tile and the board once, not at each of its forty writes.
class Hearing
{
public:
    void handling(const Control &control, Event event);
    // The controls to rename now: those the write renames when no handler
    // runs (a backend's own start-up); none while one runs.
    std::vector<const Control *> written(const Control &control, Property property);
    // Nothing while a handler runs inside another one (a tick while the
    // tip's box is open). No announcement after start-up's Load, which the
    // window's own reading covers, nor after an event that changed nothing
    // a player hears. `focused` is the control that has the focus now; null
    // for none.
    Heard handled(const Control &control, Event event, const Control *focused);

private:
    int depth_ = 0;
    const Control *pressed_ = nullptr; // the control whose Click this is
    // What the handler wrote that is heard, once each, in order: a picture
    // box whose captions changed (a deal), a control that moved inside one,
    // a label that was captioned.
    std::vector<const Control *> written_;
    std::vector<const Control *> renamed_;
};

} // namespace ui
