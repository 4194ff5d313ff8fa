// Timer ticks from the page's event loop.
#include "timer.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

namespace ui
{

namespace
{

// How far behind its due time a series of ticks may fall and still catch
// up, in milliseconds.
constexpr double catchUpLimit = 100;

} // namespace

void TickSource::begin(int intervalMs)
{
    interval_ = intervalMs;
    due_ = emscripten_get_now() + interval_;
    schedule();
}

void TickSource::end()
{
    emscripten_clear_timeout(id_);
    id_ = 0;
}

void TickSource::schedule()
{
    const double wait = due_ - emscripten_get_now();
    id_ = emscripten_set_timeout(fire, wait > 0 ? wait : 0, this);
}

void TickSource::fire(void *self)
{
    auto &ticks = *static_cast<TickSource *>(self);
    // The next tick is due one interval after this one was: a short stall
    // (a busy machine, a garbage collection) is made up by the ticks after
    // it coming sooner. A page that fell far behind (a hidden tab, which the
    // browser wakes about once a second) gets no backlog to catch up on.
    const double now = emscripten_get_now();
    ticks.due_ =
        now - ticks.due_ > catchUpLimit ? now + ticks.interval_ : ticks.due_ + ticks.interval_;
    ticks.schedule();
    // The handler may stop the timer, or start it anew, in which case the
    // series it set stands.
    ticks.timer_.fireTimer();
}

} // namespace ui
