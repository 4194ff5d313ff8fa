// Opening the display: where no X display or Wayland compositor can be
// reached, one clear line and status 1 instead of Qt's abort.
#pragma once

namespace ui
{

// Lives while QApplication is being made, which is when Qt opens the
// display. Where the environment names no display at all it ends the program
// at once; otherwise it holds Qt's messages back and turns a failure to
// start the window system into the one line. Costs nothing where a display
// is there: no connection of its own.
class DisplayGuard
{
public:
    DisplayGuard(int argc, char **argv);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};

} // namespace ui
