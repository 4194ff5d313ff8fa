// Text services of the toolkit layer: numbers to text and back, key codes to
// text. Texts are UTF-8 std::strings throughout the layer.
#pragma once

#include "int16.h"

#include <string>

namespace ui
{

// The leading decimal number of a text (blanks before it skipped), 0 when
// there is none: "12abc" gives 12, "x" gives 0.
double val(const std::string &text);

// Decimal text with a minus sign for negatives and no leading blank.
std::string str(Int16 value);

// The one-character text of a character code; codes outside 0..255 raise
// the invalid-call error.
std::string chr(Int16 code);

} // namespace ui
