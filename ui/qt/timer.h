// The ticks of a timer control: a precise QTimer, since the celebration's
// 10 ms would otherwise be coarsened to Qt's 5 % slack.
#pragma once

#include "ui/backend.h"

#include <QTimer>

namespace ui
{

class TickSource : public Ticks
{
public:
    explicit TickSource(Timer &timer);
    bool running() const override { return timer_.isActive(); }
    const QTimer &timer() const { return timer_; }

protected:
    void begin(int intervalMs) override { timer_.start(intervalMs); }
    void end() override { timer_.stop(); }

private:
    QTimer timer_;
};

} // namespace ui
