// Timer ticks from the page's event loop.
#include "timer.h"

#include <emscripten/eventloop.h>

namespace ui
{

void TickSource::start(int intervalMs)
{
    stop();
    id_ = emscripten_set_interval(fire, intervalMs, this);
}

void TickSource::stop()
{
    if (id_)
        emscripten_clear_interval(id_);
    id_ = 0;
}

void TickSource::fire(void *self)
{
    static_cast<TickSource *>(self)->timer_.fireTimer();
}

} // namespace ui
