// The window's backing store on X11, made before the window is shown and its
// pages faulted in on a helper thread while the main thread maps the window.
#pragma once

#include <thread>

class QWidget;

namespace ui
{

// The first paint fills the whole window, some 700 KB, and each page it
// touches first costs a page fault. Made while the window is being shown,
// the store is ready when the window is exposed and the faults are behind.
class BackingStoreWarmUp
{
public:
    // A top-level window at the size it will show at, not yet shown.
    explicit BackingStoreWarmUp(QWidget *window);
    // Waits for the helper: once the window shows, a resize may replace the
    // store it reads.
    ~BackingStoreWarmUp();
    BackingStoreWarmUp(const BackingStoreWarmUp &) = delete;
    BackingStoreWarmUp &operator=(const BackingStoreWarmUp &) = delete;

private:
    std::thread thread_;
};

} // namespace ui
