// Start-up of the toolkit. Before its first paint the window waits mostly on
// fonts: fontconfig reading its configuration and caches (FcInit), Qt
// listing the installed fonts, and the look-ups that map the window's fonts
// onto the fonts at hand. FcInit needs no display, so it runs on a helper
// thread while QApplication connects to one; fontconfig initialises once and
// is thread-safe, and Qt simply finds it ready.
#include "application.h"

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

Application::~Application() = default;

int Application::exec()
{
    return QApplication::exec();
}

} // namespace ui
