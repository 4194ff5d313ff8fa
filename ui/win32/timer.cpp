// Timer ticks at the interval asked, 10 ms for the celebration.
//
// Windows's timers expire on the system clock's interrupt, every 15.6 ms by
// default, so a 10 ms timer would tick every 15.6 ms and the celebration's
// 172 ticks would take 2.7 s instead of 1.72 s. timeBeginPeriod(1) asks for
// a 1 ms clock for this process (timeBeginPeriod's documentation: since
// Windows 10 version 2004 it no longer changes the resolution of other
// processes), and a periodic timer-queue timer re-arms itself each period
// on that clock. The resolution is raised only while a timer runs, as the
// same documentation asks: a faster clock costs power, and an idle game
// asks for nothing. The callback runs on the timer queue's thread and only
// posts a message, so the game sees the tick on its own thread; the message
// loops of message boxes and menus deliver it too.
#include "timer.h"

#include <timeapi.h>

namespace ui
{

namespace
{

constexpr UINT resolutionMs = 1;

} // namespace

void TickSource::begin(int intervalMs)
{
    timeBeginPeriod(resolutionMs);
    pending_ = false;
    if (!CreateTimerQueueTimer(&timer_, nullptr, fire, this, DWORD(intervalMs), DWORD(intervalMs),
                               WT_EXECUTEINTIMERTHREAD)) {
        timer_ = nullptr;
        timeEndPeriod(resolutionMs);
    }
}

void TickSource::end()
{
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
