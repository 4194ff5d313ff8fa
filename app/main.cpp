// Start-up: the toolkit builds the one Form1 window, raises Form_Load (the
// first deal lands on the tiles before the window is seen), then shows it.
#include "app/form1.h"
#include "ui/qt/qtbackend.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quarvel.Quarvel"));
    // One look everywhere: the graphical buttons paint their BackColor
    // through the palette, which Fusion honours.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    Form1 form;
    ui::QtBackend backend(form);
    form.fireLoad();
    backend.show();
    return QApplication::exec();
}
