// What start-up leaves out, and that leaving it out changes nothing on
// screen: no image plugin is loaded to show the window or the smileys, the
// style's standard icons are read only when drawn yet look as Fusion's own,
// and a focus change does not repaint the board. And the program's command
// line, with and without a display.
#include "support/window.h"
#include "ui/qt/style.h"
#include "ui/random.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPaintEvent>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace
{

// Image plugins mapped into this process.
QStringList imagePlugins()
{
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly))
        return {"(no /proc/self/maps)"};
    QStringList found;
    for (const QByteArray &line : maps.readAll().split('\n'))
        if (line.contains("/imageformats/"))
            found << QString::fromLatin1(line.mid(line.lastIndexOf(' ') + 1));
    found.removeDuplicates();
    return found;
}

// Counts the paint events a widget receives and gathers what they cover.
struct PaintCounter : QObject {
    int paints = 0;
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent *>(event)->region();
        }
        return false;
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { ui::setRandomSource({}); }
    void noImagePluginForTheWindowOrTheSmileys();
    void standardIconsLookAsFusions_data();
    void standardIconsLookAsFusions();
    void focusChangeLeavesTheBoardAlone();
    void commandLineAndNoDisplay_data();
    void commandLineAndNoDisplay();
};

void TestStartup::initTestCase()
{
    // As main() does, before any widget exists.
    QApplication::setStyle(ui::createStyle());
}

void TestStartup::noImagePluginForTheWindowOrTheSmileys()
{
    QVERIFY2(imagePlugins().isEmpty(), qPrintable(imagePlugins().join(' ')));
    Window win;
    QVERIFY(QTest::qWaitForWindowExposed(win.backend.window()));
    // The window's icon holds both drawn sizes.
    const QIcon icon = win.backend.window()->windowIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    // The smileys are drawn too: a win shows them.
    Form1 &f = win.form;
    for (int i = 0; i < 8; ++i)
        f.Command1(ui::Int16(i)).setCaption(std::to_string(i + 1));
    f.Command1(7).setLeft(2000);
    static_cast<QPushButton *>(win.backend.widget(f.Command1(7)))->click();
    QWidget *smiley = win.backend.widget(f.Image1(0));
    QVERIFY(smiley->isVisible());
    const QImage drawn = smiley->grab().toImage();
    const QColor centre = drawn.pixelColor(drawn.width() / 2, drawn.height() / 3);
    QVERIFY2(centre.red() > 200 && centre.green() > 200 && centre.blue() < 100,
             qPrintable(centre.name())); // the yellow disc
    QVERIFY2(imagePlugins().isEmpty(), qPrintable(imagePlugins().join(' ')));
}

void TestStartup::standardIconsLookAsFusions_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("menu bar overflow arrow") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
    QTest::newRow("message box information") << int(QStyle::SP_MessageBoxInformation);
    QTest::newRow("dialog OK button") << int(QStyle::SP_DialogOkButton);
    QTest::newRow("title bar close") << int(QStyle::SP_TitleBarCloseButton);
}

void TestStartup::standardIconsLookAsFusions()
{
    QFETCH(int, which);
    const auto pixmap = QStyle::StandardPixmap(which);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const QIcon ours = QApplication::style()->standardIcon(pixmap);
    const QIcon theirs = fusion->standardIcon(pixmap);
    QCOMPARE(ours.isNull(), theirs.isNull());
    QCOMPARE(ours.availableSizes(), theirs.availableSizes());
    for (int side : {16, 32}) {
        const QImage a = ours.pixmap(side, side).toImage();
        const QImage b = theirs.pixmap(side, side).toImage();
        QCOMPARE(a.size(), b.size());
        QVERIFY2(a == b, qPrintable(QString("differs at %1 pixels").arg(side)));
    }
}

void TestStartup::focusChangeLeavesTheBoardAlone()
{
    Window win;
    QVERIFY(QTest::qWaitForWindowActive(win.backend.window()));
    QWidget *board = win.backend.widget(win.form.Picture1);
    auto *tile = static_cast<QPushButton *>(win.backend.widget(win.form.Command1(0)));
    QCOMPARE(QApplication::focusWidget(), board);
    PaintCounter boardPaints, tilePaints;
    board->installEventFilter(&boardPaints);
    tile->installEventFilter(&tilePaints);
    // Tile 0 is not next to the free cell: the click moves only the focus.
    // The tile repaints, and the board only where the tile lies on it.
    QTest::mouseClick(tile, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), tile);
    QTRY_VERIFY(tilePaints.paints > 0);
    QTest::qWait(50);
    QVERIFY2((boardPaints.painted - tile->geometry()).isEmpty(),
             "the board repainted beyond the tile");
    // And back by keyboard: Shift+Tab from tile 0 reaches the board.
    boardPaints.painted = QRegion();
    QTest::keyClick(win.backend.window()->windowHandle(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), board);
    QTest::qWait(50);
    QVERIFY2((boardPaints.painted - tile->geometry()).isEmpty(),
             "the board repainted beyond the tile");
}

void TestStartup::commandLineAndNoDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); // besides a bare one with no display
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("firstLine"); // of stdout after success, else of stderr
    const QString noDisplay = "quarvel: cannot open a display: ";
    QTest::newRow("no display at all")
        << QStringList{} << QStringList{} << 1
        << noDisplay + "DISPLAY is not set and no Wayland compositor was found";
    QTest::newRow("an X display that nobody serves")
        << QStringList{} << QStringList{"DISPLAY=:4093"} << 1
        << noDisplay + "the X display :4093 cannot be reached";
    QTest::newRow("Wayland asked for, no compositor")
        << QStringList{} << QStringList{"QT_QPA_PLATFORM=wayland"} << 1
        << noDisplay + "no Wayland compositor was found";
    QTest::newRow("--help needs no display")
        << QStringList{"--help"} << QStringList{} << 0 << "Usage: quarvel [QT-OPTION]...";
    QTest::newRow("--version needs no display")
        << QStringList{"--version"} << QStringList{} << 0 << "quarvel 1.00";
    QTest::newRow("an argument that Qt leaves")
        << QStringList{"-platform", "offscreen", "--frobnicate"} << QStringList{} << 2
        << "quarvel: unrecognized argument '--frobnicate'; try 'quarvel --help'";
}

// The program itself, started as from a terminal where no window system
// can be reached, or asked for its usage or version.
void TestStartup::commandLineAndNoDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, status);
    QFETCH(QString, firstLine);
    const QTemporaryDir runtime; // an XDG_RUNTIME_DIR with no Wayland socket in it
    QVERIFY(runtime.isValid());
    QProcessEnvironment env;
    const QProcessEnvironment outside = QProcessEnvironment::systemEnvironment();
    for (const QString &name : outside.keys())
        if (name == "PATH" || name == "HOME" || name.endsWith("SAN_OPTIONS"))
            env.insert(name, outside.value(name));
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    for (const QString &setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));

    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QUARVEL_PROGRAM, arguments);
    QVERIFY(program.waitForFinished(20000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no abort, no core dump
    QCOMPARE(program.exitCode(), status);
    QCOMPARE((status == 0 ? out : err).section('\n', 0, 0), firstLine);
    if (status != 0) {
        QCOMPARE(err.count('\n'), 1); // that line alone
        QVERIFY(out.isEmpty());
    } else {
        QVERIFY2(err.isEmpty(), qPrintable(err));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
