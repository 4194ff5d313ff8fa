// What screen readers hear for the controls that their caption does not
// name: a picture box reads as its contents row by row, an image as the name
// of its picture. One rule for every backend.
#pragma once

#include "controls.h"

#include <string>

namespace ui
{

// "1 2 5, 4 3 6, 7 8 empty" for a picture box, "smiley" for an image of
// ":/icons/smiley.ico"; the caption for any other control.
std::string accessibleName(const Control &control);

// The file name of a picture without its folders and extension: "smiley"
// for ":/icons/smiley.ico".
std::string pictureName(const std::string &path);

// The label that names a control: a label whose caption ends in a colon
// names the control made right after it ("Total Clicks:" and the count).
// Null for a control that no label names.
const Control *labelOf(const Control &control);

// The picture box whose name changes with this write: the one around a
// control that moves, is captioned, shows or hides. Null when the write
// renames no picture box.
const Control *boardRenamedBy(const Control &control, Property property);

} // namespace ui
