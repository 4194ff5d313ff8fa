// Faults the backing store's pages in beside the main thread. The helper only
// reads, so it cannot disturb a paint that comes early; a read fault is
// enough to put a page of the shared buffer in place.
#include "backingstore.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <unistd.h>

namespace ui
{

BackingStoreWarmUp::BackingStoreWarmUp(QWidget *window)
{
    // X11's store makes its buffer as it is resized. Others make theirs only
    // when painting begins, and asking for it earlier is not safe (Wayland's
    // hands out an image of a buffer it has yet to make).
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    window->winId(); // the native window, and with it the backing store
    QBackingStore *store = window->backingStore();
    if (!store)
        return;
    store->resize(window->size());
    const QPaintDevice *device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return;
    const auto *image = static_cast<const QImage *>(device);
    const volatile uchar *bits = image->constBits();
    const qsizetype size = image->sizeInBytes();
    if (!bits || size <= 0)
        return;
    thread_ = std::thread([bits, size] {
        const long page = sysconf(_SC_PAGESIZE);
        for (qsizetype at = 0; at < size; at += page)
            (void)bits[at];
    });
}

BackingStoreWarmUp::~BackingStoreWarmUp()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace ui
