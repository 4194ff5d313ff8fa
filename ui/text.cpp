// Number and character conversions used by the game code.
#include "text.h"

#include "error.h"

#include <cctype>
#include <charconv>

namespace ui
{

double val(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // Copy only the characters of a plain decimal number; from_chars then
    // reads it the same way in every locale.
    std::string number;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

std::string str(Int16 value)
{
    return std::to_string(value);
}

std::string chr(Int16 code)
{
    if (code < 0 || code > 255)
        raise(ErrorCode::InvalidCall);
    if (code < 128)
        return std::string(1, static_cast<char>(code));
    // Codes 128..255 are Latin-1; give them their two-byte UTF-8 form.
    const auto c = static_cast<unsigned>(code);
    return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
}

} // namespace ui
