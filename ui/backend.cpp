// What every backend does the same way: the order of its first writes, the
// write protocol, what is heard after each event, and the timers.
#include "backend.h"

#include <utility>

namespace ui
{

namespace
{

// A timer's ticks after a write to it: a disabled timer stops; enabling one
// that runs keeps its one series of ticks; a new interval starts a new
// series only where one runs.
void follow(Ticks &ticks, const Timer &timer, Property property)
{
    if (property == Property::Enabled && !timer.enabled())
        ticks.stop();
    else if ((property == Property::Enabled && !ticks.running()) ||
             (property == Property::Interval && ticks.running()))
        ticks.start(timer.interval());
}

} // namespace

void Ticks::start(int intervalMs)
{
    stop();
    begin(intervalMs > 0 ? intervalMs : 1);
}

void Ticks::stop()
{
    if (running())
        end();
}

Backend::~Backend()
{
    if (platform() == this)
        setPlatform(nullptr);
    if (form_.observer() == this)
        form_.setObserver(nullptr);
}

void Backend::attach()
{
    for (Control *c : form_.controls()) {
        if (c->kind() == Kind::Timer)
            ticks_[c] = makeTicks(static_cast<Timer &>(*c));
        else
            make(*c);
    }
    for (Property p : mirroringWrites(form_))
        apply(form_, p);
    for (const Control *c : form_.controls())
        if (c->kind() != Kind::Timer)
            for (Property p : mirroringWrites(*c))
                apply(*c, p);
    // Named once, after every write above: the board alone would be renamed
    // some forty times over.
    rename(form_);
    for (const Control *c : form_.controls())
        rename(*c);
    attached_ = true;
    form_.setObserver(this);
    setPlatform(this);
}

Ticks *Backend::ticksOf(const Control &timer) const
{
    const auto it = ticks_.find(&timer);
    return it == ticks_.end() ? nullptr : it->second.get();
}

void Backend::stopTimers()
{
    for (auto &[timer, ticks] : ticks_)
        ticks->stop();
}

void Backend::writing(const Control &, Property property)
{
    focusBeforeWrite_ = focusBeforeWrite(*this, property);
}

void Backend::written(const Control &control, Property property)
{
    if (Ticks *ticks = ticksOf(control))
        follow(*ticks, static_cast<const Timer &>(control), property);
    else
        apply(control, property);
    // After the view's own change: a toolkit moves the focus on from a
    // disabled view, or drops it, and the rule decides which.
    focusAfterWrite(*this, std::exchange(focusBeforeWrite_, nullptr));
    for (const Control *c : hearing_.written(control, property))
        rename(*c);
}

void Backend::handling(const Control &control, Event event)
{
    hearing_.handling(control, event);
}

void Backend::handled(const Control &control, Event event)
{
    const Heard heard = hearing_.handled(control, event, focused());
    for (const Control *c : heard.renamed)
        rename(*c);
    if (!heard.announcement.empty())
        announce(heard.announcement);
}

} // namespace ui
