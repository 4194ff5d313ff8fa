// The headless backend: no window at all. Tests raise clicks, key presses,
// mouse moves and timer ticks by hand; input that a disabled or hidden
// control (or container) would not get on screen is dropped by the same
// gate as on screen.
#pragma once

#include "controls.h"
#include "runtime.h"

#include <string>
#include <vector>

namespace ui
{

class Headless : public Platform
{
public:
    struct Message {
        std::string text;
        std::string title;
    };

    // Becomes the active platform and starts with a program that has not ended.
    Headless();
    ~Headless() override;

    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;

    // Raises Form_Load, as a backend does once the window is built.
    void load(Form &form);
    // Each returns false when the input was dropped.
    bool click(Control &control);
    bool keyPress(Control &control, Int16 keyAscii);
    bool mouseMove(Control &control);
    // One tick, when the timer is enabled.
    bool tick(Timer &timer);

    const std::vector<Message> &messages() const { return messages_; }
    bool endRequested() const { return endRequested_; }

private:
    std::vector<Message> messages_;
    bool endRequested_ = false;
};

} // namespace ui
