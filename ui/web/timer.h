// The ticks of a timer control: one page timeout after another, each set
// for the tick's due time, so that ticks keep their interval on average as
// the desktops' timers do (a browser's setInterval lets each late tick push
// the next one later). Nothing is scheduled while the timer is disabled.
#pragma once

#include "ui/backend.h"

namespace ui
{

class TickSource : public Ticks
{
public:
    explicit TickSource(Timer &timer) : timer_(timer) {}
    ~TickSource() override { stop(); }
    bool running() const override { return id_ != 0; }

protected:
    void begin(int intervalMs) override;
    void end() override;

private:
    static void fire(void *self);
    void schedule();

    Timer &timer_;
    double interval_ = 0;
    double due_ = 0; // the page's clock (ms) when the next tick is due
    long id_ = 0;    // the page's timeout, 0 while stopped
};

} // namespace ui
