// The shape every backend shares, written once: its view of each control
// made in the order of creation and mirrored from the control's writes, the
// focus rule around each write, what screen readers learn after each event,
// the timers' ticks, the ways between a control and its view, and the form
// and platform attached for as long as the backend lives. A backend adds
// only what its toolkit does.
#pragma once

#include "controls.h"
#include "focus.h"
#include "hearing.h"
#include "runtime.h"

#include <memory>
#include <unordered_map>

namespace ui
{

// A timer's ticks in a toolkit: one series at a time, each tick raising the
// timer's event.
class Ticks
{
public:
    virtual ~Ticks() = default;
    // A new series of ticks; a running one is replaced.
    void start(int intervalMs);
    void stop();
    virtual bool running() const = 0;

protected:
    virtual void begin(int intervalMs) = 0; // none runs; at least 1 ms
    virtual void end() = 0;                 // one runs
};

class Backend : public ControlObserver, public Platform, public FocusHolder
{
public:
    ~Backend() override;
    Backend(const Backend &) = delete;
    Backend &operator=(const Backend &) = delete;

    Form &form() const { return form_; }

    void writing(const Control &control, Property property) final;
    void written(const Control &control, Property property) final;
    void handling(const Control &control, Event event) final;
    void handled(const Control &control, Event event) final;

protected:
    explicit Backend(Form &form) : form_(form) {}

    // Makes the view of every control in the order of creation, writes each
    // one whole onto it (the form first), names them all once, then follows
    // the form's writes and serves as the platform. The backend's
    // constructor calls it once its toolkit stands.
    void attach();
    bool attached() const { return attached_; }
    // The ticks of a timer; null for any other control.
    Ticks *ticksOf(const Control &timer) const;
    // At the end of the program: no timer ticks any more.
    void stopTimers();

    // What the toolkit does: the view of a control (a timer's are its
    // ticks), one property applied to a view, the name screen readers hear
    // for a control, and what they hear after an event.
    virtual void make(Control &control) = 0;
    virtual std::unique_ptr<Ticks> makeTicks(Timer &timer) = 0;
    virtual void apply(const Control &control, Property property) = 0;
    virtual void rename(const Control &control) = 0;
    virtual void announce(const Announcement &heard) = 0;

private:
    Form &form_;
    bool attached_ = false;
    Hearing hearing_;
    Control *focusBeforeWrite_ = nullptr;
    std::unordered_map<const Control *, std::unique_ptr<Ticks>> ticks_;
};

// A backend whose toolkit names each view by a handle: a widget, a window,
// an element. The form's view is its client area.
template <typename Handle> class BackendOf : public Backend
{
public:
    // The control behind a view; null for none.
    Control *controlOf(Handle handle) const
    {
        const auto it = controls_.find(handle);
        return it == controls_.end() ? nullptr : it->second;
    }
    // The view of a control; Handle{} for none.
    Handle handleOf(const Control &control) const
    {
        const auto it = handles_.find(&control);
        return it == handles_.end() ? Handle{} : it->second;
    }

protected:
    using Backend::Backend;
    void keep(Control &control, Handle handle)
    {
        handles_[&control] = handle;
        controls_[handle] = &control;
    }

private:
    std::unordered_map<const Control *, Handle> handles_;
    std::unordered_map<Handle, Control *> controls_;
};

} // namespace ui
