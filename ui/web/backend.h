// The browser backend: one page element per control, kept in step with every
// property write, the page's input turned into the controls' events, and
// the keyboard focus moved by the rules every backend shares rather than by
// the browser's own.
#pragma once

#include "timer.h"
#include "ui/controls.h"
#include "ui/focus.h"
#include "ui/hearing.h"
#include "ui/runtime.h"

#include <memory>
#include <unordered_map>

namespace ui
{

class WebBackend : public ControlObserver, public Platform, public FocusHolder
{
public:
    // Builds the menu bar and the form's elements inside the page's #game
    // from the controls as they stand, then mirrors every later write.
    // Becomes the active platform.
    explicit WebBackend(Form &form);
    ~WebBackend() override;
    WebBackend(const WebBackend &) = delete;
    WebBackend &operator=(const WebBackend &) = delete;

    // Shows the form with the keyboard focus on the first control in the
    // tab order.
    void show();

    // The backend that the page's events go to; null before one is built.
    static WebBackend *active();

    Form &form() const { return form_; }
    // The element of a control (the client area for the form, the menu
    // bar's item for a menu); -1 for timers.
    int elementOf(const Control &control) const;
    Control *controlOf(int element) const;

    void writing(const Control &control, Property property) override;
    void written(const Control &control, Property property) override;
    void handling(const Control &control, Event event) override;
    void handled(const Control &control, Event event) override;
    // The focus on a control's element; none while the page holds it.
    Control *focused() const override;
    void setFocused(Control *control, FocusCause cause) override;
    void messageBox(const std::string &text, const std::string &title) override;
    void endProgram() override;

private:
    void build(Control &control);
    void sync(const Control &control, Property property);
    void setCaption(const Control &control);
    void setStyle(const Control &control);
    // Marks the control, and every control inside it, as taking input or not.
    void setTakesInput(const Control &control);
    // What screen readers hear, where the caption alone does not say it,
    // and what an event announces (accessible.cpp).
    void rename(const Control &control);
    void announce(const Announcement &heard);

    Form &form_;
    int root_ = -1;
    int menuBar_ = -1;
    int announcer_ = -1;
    std::unordered_map<const Control *, int> elements_;
    std::unordered_map<int, Control *> controlOf_;
    std::unordered_map<const Control *, std::unique_ptr<TickSource>> timers_;
    Control *focusBeforeWrite_ = nullptr;
    Hearing hearing_;
};

} // namespace ui
