// Headless backend: records what a window would show; input goes through
// the shared gate.
#include "headless.h"

#include "input.h"
#include "units.h"

#include <utility>

namespace ui
{

Headless::Headless()
{
    resetRuntime();
    setPlatform(this);
}

Headless::~Headless()
{
    if (platform() == this)
        setPlatform(nullptr);
}

void Headless::messageBox(const std::string &text, const std::string &title)
{
    messages_.push_back({text, title});
}

void Headless::endProgram()
{
    endRequested_ = true;
}

void Headless::load(Form &form)
{
    form_ = &form;
    form.fireLoad();
    focusFirst(*this, form);
    form.setObserver(this);
}

void Headless::writing(const Control &, Property property)
{
    focusBeforeWrite_ = focusBeforeWrite(*this, property);
}

void Headless::written(const Control &, Property)
{
    focusAfterWrite(*this, std::exchange(focusBeforeWrite_, nullptr));
}

void Headless::press(Control &control)
{
    if (ended())
        return;
    pressFocus(*this, control);
    raiseClick(control);
}

bool Headless::type(char32_t character, Modifiers modifiers)
{
    if (ended() || !form_)
        return false;
    Control *before = focused_;
    const bool taken = typeKey(*this, *form_, character, modifiers);
    if (character == U' ' && before && before == focused_ &&
        before->kind() == Kind::CommandButton && !modifiers.alt && !modifiers.control)
        raiseClick(*before);
    return taken;
}

bool Headless::click(Control &control)
{
    return !ended() && raiseClick(control);
}

bool Headless::keyPress(Control &control, Int16 keyAscii)
{
    return !ended() && raiseKeyPress(control, keyAscii);
}

bool Headless::mouseMove(Control &control)
{
    return !ended() && raiseMouseMove(control, {}, {}, 0, 0, standardDpi);
}

bool Headless::tick(Timer &timer)
{
    if (ended() || !timer.enabled())
        return false;
    timer.fireTimer();
    return true;
}

} // namespace ui
