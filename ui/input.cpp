// The controls' terms for input and the gate in front of their handlers,
// shared by the backends.
#include "input.h"

#include "units.h"

#include <cctype>

namespace ui
{

bool raiseClick(Control &control)
{
    if (!control.takesInput())
        return false;
    control.fireClick();
    return true;
}

bool raiseKeyPress(Control &control, Int16 keyAscii)
{
    if (!control.takesInput())
        return false;
    control.fireKeyPress(keyAscii);
    return true;
}

bool raiseMouseMove(Control &control, MouseButtons b, Modifiers m, double x, double y, int dpi)
{
    if (!control.takesInput())
        return false;
    const Int16 button = Int16((b.left ? 1 : 0) | (b.right ? 2 : 0) | (b.middle ? 4 : 0));
    const Int16 shift = Int16((m.shift ? 1 : 0) | (m.control ? 2 : 0) | (m.alt ? 4 : 0));
    control.fireMouseMove(button, shift, toTwips(x, dpi), toTwips(y, dpi));
    return true;
}

bool raiseCharacter(Control &control, char32_t character, Modifiers modifiers)
{
    if (character == U'\t' || modifiers.alt || modifiers.control)
        return false;
    if (character == 0 || character > 255)
        return false;
    return raiseKeyPress(control, Int16(character));
}

ShownCaption shownCaption(const std::string &caption)
{
    ShownCaption shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != '&' && shown.key.empty()) {
                shown.key = caption[i];
                continue;
            }
        }
        (shown.key.empty() ? shown.before : shown.after) += caption[i];
    }
    return shown;
}

char accessKey(const std::string &caption)
{
    const std::string key = shownCaption(caption).key;
    return key.empty() ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
}

} // namespace ui
