// Timer ticks at the interval asked, 10 ms for the celebration.
//
// Windows's timers expire on the system clock's interrupt, every 15.6 ms by
// default, so a 10 ms SetTimer ticks every 15.6 ms and the celebration's 172
// ticks would take 2.7 s instead of 1.72 s. timeBeginPeriod(1) makes the
// interrupt come every millisecond, but a SetTimer timer is due again an
// interval after it was seen to expire, so each tick still runs up to a
// millisecond late and the lateness adds up (about 10.5 ms a tick). A
// periodic timer-queue timer keeps its due times on a fixed grid, one
// interval apart from its start, so with 1 ms resolution each tick comes
// within a millisecond of its place and the ticks average exactly 10 ms.
// The resolution is raised only while a timer runs: a faster clock costs
// power, and an idle game asks for nothing (timeBeginPeriod's documentation
// asks programs to do just this). The callback runs on the timer queue's
// thread and only posts a message; the game itself sees the tick on its own
// thread, and message boxes and menus, which run their own message loops,
// deliver it too.
#include "timer.h"

#include <timeapi.h>

namespace ui
{

namespace
{

constexpr UINT resolutionMs = 1;

} // namespace

void TickSource::start(int intervalMs)
{
    stop();
    timeBeginPeriod(resolutionMs);
    pending_ = false;
    const DWORD interval = DWORD(intervalMs > 0 ? intervalMs : 1);
    if (!CreateTimerQueueTimer(&timer_, nullptr, fire, this, interval, interval,
                               WT_EXECUTEINTIMERTHREAD)) {
        timer_ = nullptr;
        timeEndPeriod(resolutionMs);
    }
}

void TickSource::stop()
{
    if (!timer_)
        return;
    // Waits for a callback under way, so none runs after this returns.
    DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE);
    timer_ = nullptr;
    timeEndPeriod(resolutionMs);
}

void CALLBACK TickSource::fire(void *self, BOOLEAN)
{
    auto *source = static_cast<TickSource *>(self);
    if (!source->pending_.exchange(true))
        PostMessageW(source->window_, source->message_, source->id_, 0);
}

} // namespace ui
