// Headless backend: records what a window would show; input goes through
// the shared gate.
#include "headless.h"

#include "input.h"
#include "units.h"

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
