// The end of Qt's D-Bus thread: the process waits at exit until the thread
// that Qt's D-Bus connection manager runs on has ended, so that what the
// thread holds is freed before the process goes.
#pragma once

namespace ui
{

// Call once, before anything can connect to a bus: from then on, the
// program's exit waits (one second at the most) after every static
// destructor for Qt's D-Bus thread to be gone. Costs nothing where the
// thread never started or has already ended.
void awaitBusThreadAtExit();

} // namespace ui
