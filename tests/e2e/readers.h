// What a screen reader's API reads from the game's controls: where the
// keyboard focus is, the status line, the counter and whether the board
// takes input. Read over AT-SPI from the Qt window, and from the Windows
// program's own windows under Wine by tests/windows' reader; the board and
// the hover colours come from pixels (screen.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace e2e
{

struct ControlsReading {
    std::string focus;   // "Picture1", "Command1(3)", "Command2"; "none" for no control
    std::string status;  // Label1's text
    std::string counter; // Label3's text
    bool boardOpen = false;
    std::string raw; // with `detail`: every control as read, for a report
};

class ControlsReader
{
public:
    virtual ~ControlsReader() = default;
    virtual ControlsReading read(bool detail = false) = 0;
};

// The reader for the program under test (E2E_PLATFORM): AT-SPI for the Qt
// build, which needs Qt's accessibility bridge on the session bus (lib.sh's
// e2e_accessibility); under Wine the reader program E2E_WIN_READER, run in
// the test's prefix. Waits up to `timeoutSeconds` for the window's controls.
std::unique_ptr<ControlsReader> openControlsReader(double timeoutSeconds);

// The game's controls in the order it creates them, taken from its own
// Form1: the name of each ("Label1", "Command1(0)"), the index of its
// container in this list (-1 for the window), and whether the toolkit shows
// it as a widget of its own (all but the timer and the menus).
struct ControlPlace {
    std::string name;
    int container = -1;
    bool widget = true;
};
std::vector<ControlPlace> controlPlaces();

std::unique_ptr<ControlsReader> openAtspiReader(double timeoutSeconds);
std::unique_ptr<ControlsReader> openWineReader(double timeoutSeconds);

} // namespace e2e
