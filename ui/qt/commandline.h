// The program's command line: --help and --version, answered before any
// display is opened, and any argument that Qt does not take refused.
#pragma once

namespace ui
{

// Prints the usage or the version and ends the program with status 0 when
// the arguments ask for either; returns otherwise.
void answerHelpAndVersion(int argc, char **argv);

// Refuses an argument that Qt left over (the game takes none of its own)
// with one line, and ends the program with status 2.
[[noreturn]] void refuseArgument(const char *argument);

} // namespace ui
