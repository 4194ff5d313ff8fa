// The ticks of a timer control: a periodic timer-queue timer that posts one
// message to the window per interval, with the system's timer resolution
// raised to 1 ms only while it runs.
#pragma once

#include "ui/backend.h"

#include <atomic>
#include <windows.h>

namespace ui
{

class TickSource : public Ticks
{
public:
    // Each tick posts `message` with `id` as its WPARAM to `window`.
    TickSource(HWND window, UINT message, WPARAM id) : window_(window), message_(message), id_(id)
    {
    }
    ~TickSource() override { stop(); }
    bool running() const override { return timer_ != nullptr; }
    // The window took the posted tick; the next one may be posted.
    void taken() { pending_ = false; }

protected:
    void begin(int intervalMs) override;
    void end() override;

private:
    static void CALLBACK fire(void *self, BOOLEAN);

    HWND window_;
    UINT message_;
    WPARAM id_;
    HANDLE timer_ = nullptr;
    // At most one tick waits in the queue, as with WM_TIMER: a busy window
    // gets no backlog of ticks to catch up on.
    std::atomic<bool> pending_{false};
};

} // namespace ui
