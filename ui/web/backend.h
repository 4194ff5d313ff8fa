// The browser backend: one page element per control, kept in step with every
// property write, the page's input turned into the controls' events, and
// the keyboard focus moved by the rules every backend shares rather than by
// the browser's own.
#pragma once

#include "ui/backend.h"

namespace ui
{

class WebBackend : public BackendOf<int>
{
public:
    // Builds the menu bar and the form's elements inside the page's #game
    // from the controls as they stand, then mirrors every later write.
    // Becomes the active platform.
    explicit WebBackend(Form &form);
    ~WebBackend() override;

    // Shows the form with the keyboard focus on the first control in the
    // tab order.
    void show();

    // The backend that the page's events go to; null before one is built.
    static WebBackend *active();

    // The element of a control (the client area for the form, the menu
    // bar's item for a menu); -1 for timers.
    int elementOf(const Control &control) const
    {
        return control.kind() == Kind::Timer ? -1 : handleOf(control);
    }

    // The focus on a control's element; none while the page holds it.
    Control *focused() const override;
    void setFocused(Control *control, FocusCause cause) override;
    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;

private:
    void make(Control &control) override;
    std::unique_ptr<Ticks> makeTicks(Timer &timer) override;
    void apply(const Control &control, Property property) override;
    // What screen readers hear, where the caption alone does not say it,
    // and what an event announces (accessible.cpp).
    void rename(const Control &control) override;
    void announce(const Announcement &heard) override;
    void setCaption(const Control &control);
    void setStyle(const Control &control);
    // Marks the control, and every control inside it, as taking input or not.
    void setTakesInput(const Control &control);

    int root_ = -1;
    int menuBar_ = -1;
    int announcer_ = -1;
};

} // namespace ui
