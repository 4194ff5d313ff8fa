// Start-up of the toolkit. One wait of the main thread moves to a helper:
// fontconfig reading its configuration and caches (FcInit), which needs no
// display and so runs while QApplication connects to one (fontconfig
// initialises once and is thread-safe, and Qt simply finds it ready).
#include "application.h"

#include "busthread.h"
#include "commandline.h"
#include "display.h"
#include "style.h"

#include <fontconfig/fontconfig.h>
#include <thread>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace ui
{

Application::Application(int &argc, char **argv)
{
    answerHelpAndVersion(argc, argv);
    // Before anything connects to a bus, so that the wait runs after Qt's
    // D-Bus manager is destroyed.
    awaitBusThreadAtExit();
#ifdef __GLIBC__
    // One malloc arena for all threads: a helper thread's own arena would
    // stay resident after it ends (200 to 300 KiB of private memory here) for
    // allocations that are few and made once.
    mallopt(M_ARENA_MAX, 1);
#endif
    std::thread fontconfig([] { FcInit(); });

    // The style before the first widget: one style, made once.
    QApplication::setStyle(createStyle());
    // The menu bar is part of the window's layout (the client area lies
    // below it), so it stays in the window where a desktop offers a global
    // menu.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    {
        const DisplayGuard guard(argc, argv);
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    // QApplication took its own options out of argv; the game has none.
    if (argc > 1) {
        fontconfig.join();
        app_.reset();
        refuseArgument(argv[1]);
    }
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quarvel.Quarvel"));
    fontconfig.join();
}

int Application::exec()
{
    return QApplication::exec();
}

} // namespace ui
