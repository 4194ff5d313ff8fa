// The floor of the benchmark: a bare Qt 6 window with a menu bar and a dozen
// buttons, as little as a Qt Widgets program can be. scripts/bench.sh builds it.
#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu("&Game")->addAction("&Exit", &app, &QApplication::quit);
    auto *central = new QWidget;
    auto *grid = new QGridLayout(central);
    for (int i = 0; i < 12; ++i)
        grid->addWidget(new QPushButton(QString::number(i + 1)), i / 4, i % 4);
    window.setCentralWidget(central);
    window.show();
    return app.exec();
}
