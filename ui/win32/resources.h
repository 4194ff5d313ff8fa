// The program file's resource numbers, named once for the resource script
// (resources.rc.in) and the code. Plain definitions and no includes, so that
// the resource compiler reads this file as it is.
#pragma once

// The face, the program file's own icon: the lowest-numbered group, which the
// shell shows. assets/quarvel.rc.in writes it, a script that must compile on
// its own without this header, with the same number.
#define QUARVEL_FACE_ICON 1
// The smiley that the four images of the celebration show.
#define QUARVEL_SMILEY_ICON 2
