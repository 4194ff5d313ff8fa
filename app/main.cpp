// Start-up: the toolkit builds the one Form1 window, raises Form_Load (the
// first deal lands on the tiles before the window is seen), then shows it.
// Font set-up runs on helper threads meanwhile (see below).
#include "app/form1.h"
#include "ui/qt/qtbackend.h"

#include <QApplication>
#include <QFontMetrics>

#include <fontconfig/fontconfig.h>
#include <thread>
#include <vector>
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char *argv[])
{
    // Before its first paint the window waits mostly on fonts: fontconfig
    // reading its configuration and caches (FcInit), Qt listing the installed
    // fonts, and the look-ups that map Arial and Comic Sans MS onto the fonts
    // at hand. None of it needs the window, so it runs beside the main
    // thread's work: FcInit while QApplication connects to the display,
    // the rest while the widgets are built. Both are thread-safe (fontconfig
    // initialises once; Qt guards its font database with a mutex), and the
    // main thread simply finds the results ready. scripts/bench.sh measures
    // the gain.
#ifdef __GLIBC__
    // One malloc arena for all threads: a helper thread's own arena would
    // stay resident after it ends (200 to 300 KiB of private memory here) for
    // allocations that are few and made once.
    mallopt(M_ARENA_MAX, 1);
#endif
    std::thread fontconfig([] { FcInit(); });

    // The style before the first widget: one style, made once.
    QApplication::setStyle(ui::QtBackend::createStyle());
    // The menu bar is part of the window's layout (the client area lies
    // below it), so it stays in the window where a desktop offers a global
    // menu.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quarvel.Quarvel"));
    fontconfig.join();

    Form1 form;
    // Metrics of each font the window uses fill Qt's shared font database and
    // its fallback lists; the font engines this thread makes stay its own.
    std::thread fonts([list = ui::QtBackend::fontsOf(form)] {
        for (const QFont &font : list)
            QFontMetrics(font).height();
    });
    ui::QtBackend backend(form);
    form.fireLoad();
    backend.show();
    const int status = QApplication::exec();
    fonts.join(); // long since done
    return status;
}
