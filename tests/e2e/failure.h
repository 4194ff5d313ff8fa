// What a failed end-to-end step leaves behind, so that its cause can be
// seen without running it again: a screenshot of the whole display taken at
// that moment and the probe's last reading of the board, in a folder.
#pragma once

#include "pixels.h"

#include <string>

namespace e2e
{

// The folder that E2E_FAILURE_DIR names, or "" when it names none.
std::string failureDir();

// Writes screen.png (the display as `display` holds it) and reading.txt
// (`why`, then `reading`) into failureDir(), made if it is not there, and
// returns the folder; a second failure of the same run adds files numbered
// after the first. Returns "" when no folder is named or it cannot write.
std::string leaveFailure(const Pixels &display, const std::string &why, const std::string &reading);

// An RGB picture as a PNG file, with stored (uncompressed) deflate blocks:
// no library needed, and any viewer reads it.
bool savePng(const Pixels &picture, const std::string &path);

} // namespace e2e
