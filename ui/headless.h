// The headless backend: no window at all. Tests raise clicks, key presses,
// mouse moves and timer ticks by hand, or give the player's presses and keys,
// which move the keyboard focus by the same rules as on screen; input that a
// disabled or hidden control (or container) would not get on screen is
// dropped by the same gate as on screen.
#pragma once

#include "controls.h"
#include "focus.h"
#include "runtime.h"

#include <string>
#include <vector>

namespace ui
{

class Headless : public Platform, public FocusHolder, public ControlObserver
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

    // Raises Form_Load, as a backend does once the window is built, then
    // shows the form: the focus goes to its first control, and follows the
    // form's writes from then on.
    void load(Form &form);
    // Each returns false when the input was dropped.
    bool click(Control &control);
    bool keyPress(Control &control, Int16 keyAscii);
    bool mouseMove(Control &control);
    // One tick, when the timer is enabled.
    bool tick(Timer &timer);

    // The player's hand: a press and release on `control` (the form for its
    // bare surface), which may move the focus before the click.
    void press(Control &control);
    // A key typed where the focus is; a focused button also takes Space as
    // a press, as every toolkit's buttons do. False when no control took it.
    bool type(char32_t character, Modifiers modifiers = {});

    Control *focused() const override { return focused_; }
    void setFocused(Control *control, FocusCause) override { focused_ = control; }
    void writing(const Control &, Property property) override;
    void written(const Control &, Property property) override;

    const std::vector<Message> &messages() const { return messages_; }
    bool endRequested() const { return endRequested_; }

private:
    std::vector<Message> messages_;
    bool endRequested_ = false;
    Form *form_ = nullptr;
    Control *focused_ = nullptr;
    Control *focusBeforeWrite_ = nullptr;
};

} // namespace ui
