// Number and character conversions used by the game code.
#include "text.h"

#include "error.h"

#include <cctype>
#include <cstdint>

namespace ui
{

double val(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // The digits as one integer and a power of ten. Read by hand rather than
    // by strtod, which follows the locale's decimal point, or from_chars,
    // which not every platform's library has for a double.
    std::uint64_t digits = 0;
    int significant = 0, exponent = 0;
    bool any = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        any = true;
        if (significant < 19) {
            digits = digits * 10 + std::uint64_t(c - '0');
            significant += digits != 0;
            exponent -= point;
        } else {
            exponent += !point; // a dropped digit before the point scales by ten
        }
    }
    if (!any)
        return 0.0;
    // Up to 15 digits and a power of ten up to 1e22 are exact doubles, so one
    // multiplication or division rounds correctly; longer numbers round once
    // more, alike on every platform.
    double value = static_cast<double>(digits);
    double scale = 1.0;
    for (int k = exponent < 0 ? -exponent : exponent; k > 0; --k)
        scale *= 10.0;
    value = exponent < 0 ? value / scale : value * scale;
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
