// The focus rules that every backend follows.
#include "focus.h"

#include <algorithm>
#include <cctype>

namespace ui
{

std::vector<Control *> tabOrder(const Form &form)
{
    std::vector<Control *> order;
    for (Control *c : form.controls())
        if (c->tabIndex() >= 0)
            order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](const Control *a, const Control *b) {
        return a->tabIndex() < b->tabIndex();
    });
    return order;
}

Control *focusStep(const Form &form, const Control *current, int step)
{
    std::vector<Control *> chain;
    for (Control *c : tabOrder(form))
        if (c->takesInput())
            chain.push_back(c);
    if (chain.empty())
        return nullptr;
    const auto n = std::ptrdiff_t(chain.size());
    const auto at = std::find(chain.begin(), chain.end(), current) - chain.begin();
    const auto next = at == n ? (step > 0 ? 0 : n - 1) : (at + n + step) % n;
    return chain[std::size_t(next)];
}

Control *accessKeyButton(const Form &form, char key)
{
    for (Control *c : form.controls())
        if (c->kind() == Kind::CommandButton && c->takesInput() && accessKey(c->caption()) == key)
            return c;
    return nullptr;
}

void focusFirst(FocusHolder &focus, Form &form)
{
    if (Control *first = focusStep(form, nullptr, 1))
        focus.setFocused(first, FocusCause::Press);
}

void pressFocus(FocusHolder &focus, Control &pressed)
{
    if (pressed.tabIndex() >= 0 && pressed.takesInput() && focus.focused() != &pressed)
        focus.setFocused(&pressed, FocusCause::Press);
}

void tabFocus(FocusHolder &focus, const Form &form, int step)
{
    if (Control *next = focusStep(form, focus.focused(), step))
        focus.setFocused(next, FocusCause::Keyboard);
}

bool pressAccessKey(FocusHolder &focus, Control *button)
{
    if (!button || !button->takesInput())
        return false;
    focus.setFocused(button, FocusCause::Keyboard);
    raiseClick(*button);
    return true;
}

bool typeKey(FocusHolder &focus, Form &form, char32_t character, Modifiers modifiers)
{
    if (character == U'\t' && !modifiers.alt && !modifiers.control) {
        tabFocus(focus, form, modifiers.shift ? -1 : 1);
        return true;
    }
    if (modifiers.alt && !modifiers.control) {
        const char key = character < 128 ? char(std::toupper(int(character))) : 0;
        return key && pressAccessKey(focus, accessKeyButton(form, key));
    }
    Control *control = focus.focused();
    return control && raiseCharacter(*control, character, modifiers);
}

Control *focusBeforeWrite(const FocusHolder &focus, Property property)
{
    return property == Property::Enabled || property == Property::Visible ? focus.focused()
                                                                          : nullptr;
}

void focusAfterWrite(FocusHolder &focus, Control *before)
{
    if (before && !before->takesInput())
        focus.setFocused(nullptr, FocusCause::Press);
}

} // namespace ui
