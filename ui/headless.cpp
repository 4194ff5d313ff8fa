// Headless backend: records what a window would show and gates input.
#include "headless.h"

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
    form.fireLoad();
}

bool Headless::click(Control &control)
{
    if (ended() || !control.takesInput())
        return false;
    control.fireClick();
    return true;
}

bool Headless::keyPress(Control &control, Int16 keyAscii)
{
    if (ended() || !control.takesInput())
        return false;
    control.fireKeyPress(keyAscii);
    return true;
}

bool Headless::mouseMove(Control &control)
{
    if (ended() || !control.takesInput())
        return false;
    control.fireMouseMove(0, 0, 0, 0);
    return true;
}

bool Headless::tick(Timer &timer)
{
    if (ended() || !timer.enabled())
        return false;
    timer.fireTimer();
    return true;
}

} // namespace ui
