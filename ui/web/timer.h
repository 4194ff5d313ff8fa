// The ticks of a timer control: the page's own setInterval, running only
// while the timer is enabled, so that an idle page has no timer at all.
#pragma once

#include "ui/controls.h"

namespace ui
{

class TickSource
{
public:
    explicit TickSource(Timer &timer) : timer_(timer) {}
    ~TickSource() { stop(); }
    TickSource(const TickSource &) = delete;
    TickSource &operator=(const TickSource &) = delete;

    // Starts a new series of ticks; a running series is replaced.
    void start(int intervalMs);
    void stop();
    bool running() const { return id_ != 0; }

private:
    static void fire(void *self);

    Timer &timer_;
    long id_ = 0; // the page's interval, 0 while stopped
};

} // namespace ui
