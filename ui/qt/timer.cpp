// Timer ticks from Qt's event loop.
#include "timer.h"

namespace ui
{

TickSource::TickSource(Timer &timer)
{
    timer_.setTimerType(Qt::PreciseTimer);
    // Its interval as laid out, for who reads it before the first start.
    timer_.setInterval(timer.interval());
    QObject::connect(&timer_, &QTimer::timeout, [&timer] { timer.fireTimer(); });
}

} // namespace ui
