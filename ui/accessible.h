// What screen readers hear for the controls that their caption alone does
// not name: a picture box reads as its contents row by row, a control in it
// by its caption and place, an image as the name of its picture, a label
// named by another as both. One rule for every backend.
#pragma once

#include "controls.h"

#include <string>
#include <vector>

namespace ui
{

// "1 2 5, 4 3 6, 7 8 empty" for a picture box; "6, row 2, column 3" for a
// control inside one; "smiley" for an image of ":/icons/smiley.ico";
// "Total Clicks: 7" for a label that another names; the caption for any
// other control.
std::string accessibleName(const Control &control);

// The file name of a picture without its folders and extension: "smiley"
// for ":/icons/smiley.ico".
std::string pictureName(const std::string &path);

// The label that names a control: a label whose caption ends in a colon
// names the control made right after it ("Total Clicks:" and the count).
// Null for a control that no label names.
const Control *labelOf(const Control &control);

// The controls whose accessible name this write changes, beyond the plain
// caption of the control written: the picture box around a control that
// moves, is captioned, shows or hides, and the control itself, whose name
// holds its place; the control that a captioned label names; an image
// given a picture.
std::vector<const Control *> renamedBy(const Control &control, Property property);

} // namespace ui
