// The game window on Qt's offscreen platform: where every control lands in
// pixels, its text, font and colours, the tab order, the menus and access
// keys, and the state right after start-up. Input goes in through Qt.
#include "support/window.h"
#include "ui/qt/style.h"
#include "ui/random.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace
{

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void windowAndClientArea();
    void controlRectangles_data();
    void controlRectangles();
    void textsFontsAndColours();
    void tabOrderAndFirstFocus();
    void menus();
    void accessKeys_data();
    void accessKeys();
    void tileClickAndShortcutKeyThroughQt();
    void focusKeysLeaveTheShortcutArmed_data();
    void focusKeysLeaveTheShortcutArmed();
    void graphicalFacesAreFlat_data();
    void graphicalFacesAreFlat();
    void winLocksTheBoardAndStartsThePreciseTimer();
    void formMouseMoveOnlyOverBareSurface();
    void resizingMovesNothing();
};

void TestWindow::initTestCase()
{
    // As the program starts, before any widget exists.
    QApplication::setStyle(ui::createStyle());
}

void TestWindow::init()
{
    ui::setRandomSource({});
}

void TestWindow::windowAndClientArea()
{
    Window win;
    QVERIFY(QTest::qWaitForWindowExposed(win.backend.window()));
    QCOMPARE(win.backend.window()->windowTitle(), QString("Quarvel"));
    QCOMPARE(win.backend.clientArea()->size(), QSize(382, 438));
    QVERIFY(!win.backend.window()->windowIcon().isNull());
    QCOMPARE(win.form.Label3.caption(), std::string("0"));
    QCOMPARE(int(win.form.clickNum), 0);
    // The first deal is on the tiles before anyone sees the window.
    QStringList captions;
    for (int i = 0; i < 8; ++i)
        captions << win.tile(i)->text();
    QCOMPARE(captions.join(' '), QString("1 2 5 4 3 6 7 8"));
}

void TestWindow::controlRectangles_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("rect"); // in the container's widget coordinates
    QTest::newRow("Label1") << "Label1" << QRect(24, 24, 345, 41);
    QTest::newRow("Picture1") << "Picture1" << QRect(88, 88, 203, 203);
    // Tiles sit inside the board's 2-pixel border.
    QTest::newRow("tile 0") << "Command1(0)" << QRect(2, 2, 66, 66);
    QTest::newRow("tile 1") << "Command1(1)" << QRect(69, 2, 66, 66);
    QTest::newRow("tile 2") << "Command1(2)" << QRect(135, 2, 66, 66);
    QTest::newRow("tile 7") << "Command1(7)" << QRect(69, 135, 66, 66);
    QTest::newRow("Label2") << "Label2" << QRect(88, 328, 121, 25);
    QTest::newRow("Label3") << "Label3" << QRect(216, 328, 49, 25);
    QTest::newRow("Command2") << "Command2" << QRect(24, 376, 137, 33);
    QTest::newRow("Command3") << "Command3" << QRect(208, 376, 137, 33);
    QTest::newRow("Image1(0)") << "Image1(0)" << QRect(88, 64, 20, 20);
    QTest::newRow("Image1(3)") << "Image1(3)" << QRect(64, 416, 20, 20);
}

void TestWindow::controlRectangles()
{
    QFETCH(QString, control);
    QFETCH(QRect, rect);
    Window win;
    QCOMPARE(win.w(win.control(control))->geometry(), rect);
}

void TestWindow::textsFontsAndColours()
{
    Window win;
    Form1 &f = win.form;
    auto *label1 = static_cast<QLabel *>(win.w(f.Label1));
    QCOMPARE(label1->text(), QString("Arrange the numbers from 1 to 8"));
    QCOMPARE(label1->font().family(), QString("Comic Sans MS"));
    QCOMPARE(label1->font().pointSizeF(), 14.25);
    QCOMPARE(label1->font().weight(), QFont::Normal);
    QCOMPARE(label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(!label1->autoFillBackground());
    QCOMPARE(label1->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::HighlightedText));

    auto *label2 = static_cast<QLabel *>(win.w(f.Label2));
    QCOMPARE(label2->text(), QString("Total Clicks:"));
    QCOMPARE(label2->font().family(), QString("Arial"));
    QCOMPARE(label2->font().pointSizeF(), 12.0);
    QCOMPARE(label2->font().weight(), QFont::Bold);
    QCOMPARE(label2->frameShape(), QFrame::NoFrame);
    auto *label3 = static_cast<QLabel *>(win.w(f.Label3));
    QCOMPARE(label3->text(), QString("0"));
    QCOMPARE(label3->frameShape(), QFrame::Box);

    for (int i = 0; i < 8; ++i) {
        QPushButton *tile = win.tile(i);
        QCOMPARE(tile->font().family(), QString("Arial"));
        QCOMPARE(tile->font().pointSizeF(), 14.25);
        QCOMPARE(tile->font().weight(), QFont::Bold);
        QCOMPARE(tile->palette().color(QPalette::Button), QColor(255, 255, 192));
    }
    auto *start = static_cast<QPushButton *>(win.w(f.Command2));
    auto *exit = static_cast<QPushButton *>(win.w(f.Command3));
    QCOMPARE(start->text(), QString("&Start the game again"));
    QCOMPARE(exit->text(), QString("&Exit the game"));
    QCOMPARE(start->font(), QApplication::font());
    QCOMPARE(start->palette().color(QPalette::Button),
             QApplication::palette().color(QPalette::Button));

    // Writes reach the widgets at once.
    f.Command3.setBackColor(ui::colors::lightYellow);
    QCOMPARE(exit->palette().color(QPalette::Button), QColor(255, 255, 192));
    f.Label3.setCaption("17");
    QCOMPARE(label3->text(), QString("17"));
}

void TestWindow::tabOrderAndFirstFocus()
{
    Window win;
    Form1 &f = win.form;
    QVERIFY(QTest::qWaitForWindowActive(win.backend.window()));
    QCOMPARE(QApplication::focusWidget(), win.w(f.Picture1));
    QList<QWidget *> expected{win.w(f.Picture1)};
    for (int i = 0; i < 8; ++i)
        expected << win.tile(i);
    expected << win.w(f.Command2) << win.w(f.Command3);
    // Tab walks the chain and comes round to the board again.
    for (qsizetype i = 1; i <= expected.size(); ++i) {
        QTest::keyClick(win.backend.window()->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected[i % expected.size()]);
    }
    for (auto *label : {win.w(f.Label1), win.w(f.Label2), win.w(f.Label3)})
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
}

void TestWindow::menus()
{
    Window win;
    const QList<QAction *> top = win.backend.window()->menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QString("&Game"));
    QCOMPARE(top[1]->text(), QString("&Tip"));
    const QList<QAction *> game = top[0]->menu()->actions();
    QCOMPARE(game.size(), 2);
    QCOMPARE(game[0]->text(), QString("&Start a new game"));
    QCOMPARE(game[1]->text(), QString("&Exit"));
    const QList<QAction *> tip = top[1]->menu()->actions();
    QCOMPARE(tip.size(), 1);
    QCOMPARE(tip[0]->text(), QString("Short&cut"));
    for (QAction *a : game + tip) {
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(!a->isCheckable());
        QVERIFY(!a->isSeparator());
        QVERIFY(a->isEnabled() && a->isVisible());
    }
    // The menu item runs the same new game as the button.
    win.tile(5)->click();
    QCOMPARE(int(win.form.clickNum), 1);
    game[0]->trigger();
    QCOMPARE(int(win.form.clickNum), 0);
    QCOMPARE(win.tile(5)->geometry().topLeft(), QPoint(135, 69));
}

void TestWindow::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    QTest::newRow("Alt+S starts again") << int(Qt::Key_S) << "new game";
    QTest::newRow("Alt+E exits") << int(Qt::Key_E) << "exit";
}

void TestWindow::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, effect);
    Window win;
    QVERIFY(QTest::qWaitForWindowActive(win.backend.window()));
    win.tile(7)->click();
    QCOMPARE(int(win.form.clickNum), 1);
    // Through the window system, where Qt resolves access keys.
    QTest::keyClick(win.backend.window()->windowHandle(), Qt::Key(key), Qt::AltModifier);
    const bool exited = ui::ended();
    ui::resetRuntime();
    QCOMPARE(exited, effect == "exit");
    // The button that starts again takes the focus as it is pressed.
    if (effect == "new game") {
        QCOMPARE(int(win.form.clickNum), 0);
        QCOMPARE(QApplication::focusWidget(), win.w(win.form.Command2));
    }
}

void TestWindow::tileClickAndShortcutKeyThroughQt()
{
    Window win;
    QVERIFY(QTest::qWaitForWindowActive(win.backend.window()));
    // A real mouse click on tile 5, next to the free cell.
    QTest::mouseClick(win.tile(5), Qt::LeftButton);
    QCOMPARE(win.form.Command1(5).top(), 2000.f);
    QCOMPARE(win.tile(5)->geometry().topLeft(), QPoint(135, 135));
    QCOMPARE(static_cast<QLabel *>(win.w(win.form.Label3))->text(), QString("1"));
    // "a" typed on a focused tile arms the jump; the far corner jumps.
    win.tile(3)->setFocus();
    QTest::keyClick(win.tile(3), Qt::Key_A);
    QCOMPARE(win.form.isShift, ui::BoolTrue);
    QTest::keyClicks(win.tile(3), "A"); // capital A disarms
    QCOMPARE(win.form.isShift, ui::BoolFalse);
    QTest::keyClick(win.tile(3), Qt::Key_A);
    QTest::mouseClick(win.tile(0), Qt::LeftButton);
    QCOMPARE(win.tile(0)->geometry().topLeft(), QPoint(135, 69));
    QCOMPARE(int(win.form.clickNum), 2);
}

void TestWindow::focusKeysLeaveTheShortcutArmed_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("jumps"); // the next click on a far tile
    QTest::newRow("Tab moves the focus on") << int(Qt::Key_Tab) << true;
    QTest::newRow("Shift+Tab moves it back") << int(Qt::Key_Backtab) << true;
    QTest::newRow("Escape is a character") << int(Qt::Key_Escape) << false;
}

void TestWindow::focusKeysLeaveTheShortcutArmed()
{
    QFETCH(int, key);
    QFETCH(bool, jumps);
    Window win;
    QVERIFY(QTest::qWaitForWindowActive(win.backend.window()));
    win.tile(4)->setFocus();
    QTest::keyClick(win.tile(4), Qt::Key_A);
    QWidget *before = QApplication::focusWidget();
    // Through the window system, where Qt moves the focus on Tab.
    QTest::keyClick(win.backend.window()->windowHandle(), Qt::Key(key));
    if (key != Qt::Key_Escape)
        QVERIFY(QApplication::focusWidget() != before);
    // Tile 0 stands two cells from the free cell in both directions.
    QTest::mouseClick(win.tile(0), Qt::LeftButton);
    QCOMPARE(win.form.Command1(0).top() == 2000.f, jumps);
    QCOMPARE(int(win.form.clickNum), jumps ? 1 : 0);
}

void TestWindow::graphicalFacesAreFlat_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QColor>("face");
    const QColor yellow(255, 255, 192);
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (const char *state : {"rest", "hover", "pressed", "focused", "disabled"})
        QTest::newRow(qPrintable(QString("tile, ") + state)) << "Command1(4)" << state << yellow;
    // The mouse over a command button lights it up; pressing it takes the
    // mouse there too. The buttons are never disabled.
    for (const char *button : {"Command2", "Command3"}) {
        QTest::newRow(qPrintable(QString(button) + ", rest")) << button << "rest" << buttonFace;
        QTest::newRow(qPrintable(QString(button) + ", hover")) << button << "hover" << yellow;
        QTest::newRow(qPrintable(QString(button) + ", pressed")) << button << "pressed" << yellow;
        QTest::newRow(qPrintable(QString(button) + ", focused"))
            << button << "focused" << buttonFace;
    }
}

// Everything inside the bevel but the caption and the focus mark is the
// button's own colour, to the last pixel: no gradient, no hover shading.
void TestWindow::graphicalFacesAreFlat()
{
    QFETCH(QString, control);
    QFETCH(QString, state);
    QFETCH(QColor, face);
    Window win;
    QVERIFY(QTest::qWaitForWindowActive(win.backend.window()));
    auto *button = static_cast<QPushButton *>(win.w(win.control(control)));
    const QPoint centre = button->rect().center();
    if (state == "hover" || state == "pressed") {
        // From bare window surface, so that Qt sees the mouse arrive.
        QTest::mouseMove(win.backend.clientArea(), QPoint(5, 300));
        QTest::mouseMove(button, centre);
        QVERIFY(button->underMouse());
    }
    if (state == "pressed") {
        QTest::mousePress(button, Qt::LeftButton, {}, centre);
        QVERIFY(button->isDown());
    }
    if (state == "focused") {
        // By keyboard, which is when Qt's widgets show their focus.
        for (int i = 0; i < 12 && QApplication::focusWidget() != button; ++i)
            QTest::keyClick(win.backend.window()->windowHandle(), Qt::Key_Tab);
        QVERIFY(button->hasFocus());
    } else if (state == "disabled") {
        win.form.Picture1.setEnabled(false); // as a win locks the board
        QVERIFY(!button->isEnabled());
    }
    const QImage shot = button->grab().toImage();
    if (state == "pressed")
        QTest::mouseRelease(button, Qt::LeftButton, {},
                            button->rect().bottomRight() + QPoint(9, 9));

    const QRect inside = button->rect().adjusted(2, 2, -2, -2);
    const QRect caption =
        button->fontMetrics()
            .boundingRect(button->rect(), Qt::AlignCenter | Qt::TextShowMnemonic, button->text())
            .adjusted(-2, -2, 2, 2);
    QRegion mark;
    if (state == "focused")
        mark = QRegion(inside.adjusted(1, 1, -1, -1)) - inside.adjusted(2, 2, -2, -2);
    int wrong = 0;
    QString first;
    int marked = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor seen = shot.pixelColor(x, y);
            if (caption.contains(x, y))
                continue;
            if (mark.contains(QPoint(x, y))) {
                marked += seen != face;
                continue;
            }
            if (seen != face && wrong++ == 0)
                first = QString("(%1, %2) is %3").arg(x).arg(y).arg(seen.name());
        }
    }
    QVERIFY2(
        wrong == 0,
        qPrintable(QString("%1 face pixels are not %2; %3").arg(wrong).arg(face.name(), first)));
    // The focus still shows, as a mark on the face.
    if (state == "focused")
        QVERIFY(marked > 0);
}

void TestWindow::winLocksTheBoardAndStartsThePreciseTimer()
{
    Window win;
    Form1 &f = win.form;
    const QTimer *timer = win.backend.timer(f.Timer1);
    QCOMPARE(timer->interval(), 10);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    QVERIFY(!timer->isActive());
    for (int i = 0; i < 8; ++i) {
        f.Command1(ui::Int16(i)).setCaption(std::to_string(i + 1));
        QVERIFY(!win.w(f.Image1(ui::Int16(i % 4)))->isVisible());
    }
    f.Command1(7).setLeft(2000);
    win.tile(7)->click();
    QVERIFY(!win.w(f.Picture1)->isEnabled());
    QVERIFY(!win.tile(0)->isEnabled());
    QVERIFY(timer->isActive());
    QVERIFY(win.w(f.Image1(0))->isVisible());
    QCOMPARE(win.w(f.Image1(0))->geometry(), QRect(7, 64, 20, 20));
    // The celebration runs out on real ticks: 172 of 10 ms.
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 5000);
    QVERIFY(!win.w(f.Image1(0))->isVisible());
    QCOMPARE(f.Image1(0).left(), 50.f);
}

void TestWindow::formMouseMoveOnlyOverBareSurface()
{
    Window win;
    Form1 &f = win.form;
    QVERIFY(QTest::qWaitForWindowExposed(win.backend.window()));
    QWidget *client = win.backend.clientArea();
    QTest::mouseMove(client, win.w(f.Command2)->geometry().center());
    QCOMPARE(f.Command2.backColor(), ui::colors::lightYellow);
    QCOMPARE(f.Command3.backColor(), ui::colors::buttonFace);
    // Over a label, the board or a tile the window's own handler stays quiet.
    QTest::mouseMove(client, win.w(f.Label2)->geometry().center());
    QTest::mouseMove(client, win.w(f.Picture1)->geometry().topLeft() + QPoint(100, 100));
    QTest::mouseMove(client, win.w(f.Picture1)->geometry().topLeft() + QPoint(190, 190));
    QCOMPARE(f.Command2.backColor(), ui::colors::lightYellow);
    QTest::mouseMove(client, win.w(f.Command3)->geometry().center());
    QCOMPARE(f.Command3.backColor(), ui::colors::lightYellow);
    QTest::mouseMove(client, QPoint(5, 300));
    QCOMPARE(f.Command2.backColor(), ui::colors::buttonFace);
    QCOMPARE(f.Command3.backColor(), ui::colors::buttonFace);
}

void TestWindow::resizingMovesNothing()
{
    Window win;
    QVERIFY(QTest::qWaitForWindowExposed(win.backend.window()));
    const QRect board = win.w(win.form.Picture1)->geometry();
    const QRect exit = win.w(win.form.Command3)->geometry();
    win.backend.window()->resize(900, 800);
    QTRY_COMPARE(win.backend.clientArea()->width(), 900);
    QCOMPARE(win.w(win.form.Picture1)->geometry(), board);
    QCOMPARE(win.w(win.form.Command3)->geometry(), exit);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
