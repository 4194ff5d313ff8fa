// What a screen reader finds in the game window through Qt's accessibility:
// the tree read from the window down, each control's role, name and access
// key, and the names that follow the game as tiles move, the counter counts
// and the smileys come and go.
#include "support/window.h"
#include "ui/random.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

namespace
{

// A widget, or a menu item's action, by the game's name of its control.
QObject *find(Window &win, const QString &name)
{
    if (name == "window")
        return win.backend.window();
    const ui::Control &c = win.control(name);
    if (c.kind() == ui::Kind::Menu)
        return win.backend.action(c);
    return win.backend.widget(c);
}

// Every interface reachable from the window, depth first, as a screen
// reader walks it.
void walk(QAccessibleInterface *iface, std::vector<QAccessibleInterface *> &out)
{
    out.push_back(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *child = iface->child(i))
            walk(child, out);
}

QAccessibleInterface *inTree(Window &win, QObject *object)
{
    std::vector<QAccessibleInterface *> all;
    walk(QAccessible::queryAccessibleInterface(win.backend.window()), all);
    for (QAccessibleInterface *iface : all)
        if (iface->object() == object)
            return iface;
    return nullptr;
}

QString nameOf(Window &win, const QString &control)
{
    QAccessibleInterface *iface = inTree(win, find(win, control));
    return iface ? iface->text(QAccessible::Name) : QString("(not in the tree)");
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init() { ui::setRandomSource({}); }
    void tree_data();
    void tree();
    void counterIsLabelledByItsLabel();
    void namesFollowTheGame();
    void smileysShowDuringTheCelebration();
};

void TestAccessibility::tree_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessKey"); // the Accelerator text
    QTest::addColumn<bool>("visible");

    const int button = QAccessible::Button, text = QAccessible::StaticText;
    const int item = QAccessible::MenuItem;
    QTest::newRow("window") << "window" << int(QAccessible::Window) << "Quarvel"
                            << "" << true;
    QTest::newRow("status line") << "Label1" << text << "Arrange the numbers from 1 to 8"
                                 << "" << true;
    // The board reads its tiles row by row, a tile its number and place; the
    // first deal is fixed.
    QTest::newRow("board") << "Picture1" << int(QAccessible::Grouping) << "1 2 5, 4 3 6, 7 8 empty"
                           << "" << true;
    QTest::newRow("tile 0") << "Command1(0)" << button << "1, row 1, column 1"
                            << "" << true;
    QTest::newRow("tile 2") << "Command1(2)" << button << "5, row 1, column 3"
                            << "" << true;
    QTest::newRow("tile 4") << "Command1(4)" << button << "3, row 2, column 2"
                            << "" << true;
    QTest::newRow("tile 7") << "Command1(7)" << button << "8, row 3, column 2"
                            << "" << true;
    QTest::newRow("counter label") << "Label2" << text << "Total Clicks:"
                                   << "" << true;
    QTest::newRow("counter") << "Label3" << text << "Total Clicks: 0"
                             << "" << true;
    QTest::newRow("new game button") << "Command2" << button << "Start the game again"
                                     << "Alt+S" << true;
    QTest::newRow("exit button") << "Command3" << button << "Exit the game"
                                 << "Alt+E" << true;
    QTest::newRow("smiley 0") << "Image1(0)" << int(QAccessible::Graphic) << "smiley"
                              << "" << false;
    QTest::newRow("smiley 3") << "Image1(3)" << int(QAccessible::Graphic) << "smiley"
                              << "" << false;
    QTest::newRow("Game menu") << "mnuGame" << item << "Game"
                               << "Alt+G" << true;
    QTest::newRow("new game item") << "mnuStart" << item << "Start a new game"
                                   << "Alt+S" << false;
    QTest::newRow("exit item") << "mnuExit" << item << "Exit"
                               << "Alt+E" << false;
    QTest::newRow("Tip menu") << "mnuTip" << item << "Tip"
                              << "Alt+T" << true;
    QTest::newRow("tip item") << "mnushort" << item << "Shortcut"
                              << "Alt+C" << false;
}

void TestAccessibility::tree()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, accessKey);
    QFETCH(bool, visible);
    Window win;
    QVERIFY(QTest::qWaitForWindowExposed(win.backend.window()));
    QObject *object = find(win, control);
    QVERIFY(object);
    QAccessibleInterface *iface = inTree(win, object);
    QVERIFY2(iface, "not reachable from the window");
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Accelerator).toUpper(), accessKey.toUpper());
    // Closed menus and hidden smileys are in the tree but marked invisible.
    QCOMPARE(!iface->state().invisible, visible);
    if (role == QAccessible::Button) {
        // The press action carries the access key as its key binding.
        QAccessibleActionInterface *actions = iface->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        const QStringList keys =
            actions->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(keys.join(','), accessKey);
    }
}

void TestAccessibility::counterIsLabelledByItsLabel()
{
    Window win;
    QAccessibleInterface *counter = inTree(win, find(win, "Label3"));
    QVERIFY(counter);
    const auto labels = counter->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->object(), find(win, "Label2"));
    QCOMPARE(labels.first().first->text(QAccessible::Name), QString("Total Clicks:"));
    // Only the counter has a label: the status line and the buttons stand alone.
    for (const char *alone : {"Label1", "Command2", "Picture1"})
        QVERIFY2(inTree(win, find(win, alone))->relations(QAccessible::Label).isEmpty(), alone);
}

void TestAccessibility::namesFollowTheGame()
{
    Window win;
    Form1 &f = win.form;
    auto click = [&](int tile) {
        static_cast<QPushButton *>(win.backend.widget(f.Command1(ui::Int16(tile))))->click();
    };
    click(7); // "8" slides right into the free corner
    QCOMPARE(nameOf(win, "Picture1"), QString("1 2 5, 4 3 6, 7 empty 8"));
    QCOMPARE(nameOf(win, "Command1(7)"), QString("8, row 3, column 3"));
    QCOMPARE(nameOf(win, "Label3"), QString("Total Clicks: 1"));
    click(5); // "6" is not next to the free cell: nothing changes
    QCOMPARE(nameOf(win, "Picture1"), QString("1 2 5, 4 3 6, 7 empty 8"));
    QCOMPARE(nameOf(win, "Label3"), QString("Total Clicks: 1"));
    click(4); // "3" slides down
    QCOMPARE(nameOf(win, "Picture1"), QString("1 2 5, 4 empty 6, 7 3 8"));
    QCOMPARE(nameOf(win, "Label3"), QString("Total Clicks: 2"));

    // A new game deals new numbers onto the tiles and puts them home.
    f.Command2.fireClick();
    QStringList cells;
    for (int i = 0; i < 8; ++i) {
        const QString caption = QString::fromStdString(f.Command1(ui::Int16(i)).caption());
        QCOMPARE(nameOf(win, QString("Command1(%1)").arg(i)),
                 caption + QString(", row %1, column %2").arg(i / 3 + 1).arg(i % 3 + 1));
        cells << caption;
    }
    cells << "empty";
    const QString board = cells.mid(0, 3).join(' ') + ", " + cells.mid(3, 3).join(' ') + ", " +
                          cells.mid(6, 3).join(' ');
    QCOMPARE(nameOf(win, "Picture1"), board);
    QVERIFY(board != "1 2 5, 4 3 6, 7 8 empty"); // the second deal differs from the first
    QCOMPARE(nameOf(win, "Label3"), QString("Total Clicks: 0"));
    QCOMPARE(nameOf(win, "Label1"), QString("Arrange the numbers from 1 to 8"));
}

void TestAccessibility::smileysShowDuringTheCelebration()
{
    Window win;
    Form1 &f = win.form;
    for (int i = 0; i < 8; ++i)
        f.Command1(ui::Int16(i)).setCaption(std::to_string(i + 1));
    f.Command1(7).setLeft(2000);
    QCOMPARE(nameOf(win, "Picture1"), QString("1 2 3, 4 5 6, 7 empty 8"));
    static_cast<QPushButton *>(find(win, "Command1(7)"))->click(); // slides back: the win
    QCOMPARE(nameOf(win, "Picture1"), QString("1 2 3, 4 5 6, 7 8 empty"));
    QCOMPARE(nameOf(win, "Label1"), QString("You are the winner!"));
    for (const char *image : {"Image1(0)", "Image1(3)"}) {
        QAccessibleInterface *smiley = inTree(win, find(win, image));
        QVERIFY(smiley);
        QVERIFY2(!smiley->state().invisible, image);
        QCOMPARE(smiley->text(QAccessible::Name), QString("smiley"));
    }
    QTimer *timer = win.backend.timer(f.Timer1);
    QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 5000);
    QVERIFY(inTree(win, find(win, "Image1(0)"))->state().invisible);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
