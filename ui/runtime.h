// The event dispatch boundary and the program-wide services behind it: the
// message box and the end of the program, provided by the active backend.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace ui
{

class Platform
{
public:
    virtual ~Platform() = default;
    // Shows text with a single OK button under title and returns when closed.
    virtual void messageBox(const std::string &text, const std::string &title) = 0;
    // Closes the window and stops the program once the current handler unwinds.
    virtual void endProgram() = 0;
    // One line of a runtime error's report, for where the platform keeps
    // them besides stderr, which a program started from a desktop may lack.
    virtual void reportError(const std::string &) {}
};

// The backend that serves msgBox() and end(); null when none is active.
void setPlatform(Platform *platform);
Platform *platform();

// Runs one event handler. A runtime error raised inside leaves the handler,
// keeps what it wrote so far, is reported in one line on stderr and to the
// active platform, and counted; the program goes on. Returns false when the handler did not run to
// its end or did not run at all, because the program has ended.
bool dispatch(std::string_view event, const std::function<void()> &handler);

// Runtime errors that reached the boundary since the start of the program.
int errorCount();

void msgBox(const std::string &text, const std::string &title);

// Ends the program at once: the running handler stops here and no further
// handler runs.
[[noreturn]] void end();
bool ended();

// Forgets an earlier end(); for backends that start a program again in the
// same process, such as tests.
void resetRuntime();

} // namespace ui
