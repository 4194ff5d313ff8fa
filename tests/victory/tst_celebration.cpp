// The winner announcement and the celebration, headless, tick by tick.
#include "support/game.h"

#include <QTest>

using ui::Int16;

namespace
{

struct Positions {
    float left0, top1, left2, top3;
};

Positions positions(Form1 &f)
{
    return {f.Image1(0).left(), f.Image1(1).top(), f.Image1(2).left(), f.Image1(3).top()};
}

void win(Game &g)
{
    g.oneMoveFromWin();
    g.click(7);
}

} // namespace

class TestCelebration : public QObject
{
    Q_OBJECT

private slots:
    void aWinAnnouncesAndPlacesTheImages();
    void runTable_data();
    void runTable();
    void lastTickOnlyHides();
    void boardStaysLockedAfterTheCelebration();
    void secondWinRestartsTheCelebration();
    void newGameDuringTheCelebrationLeavesItRunning();
};

void TestCelebration::aWinAnnouncesAndPlacesTheImages()
{
    Game g;
    win(g);
    QCOMPARE(g.form.Label1.caption(), std::string("You are the winner!"));
    QVERIFY(!g.form.Picture1.enabled());
    const float start[4][2] = {{100, 960}, {4440, 0}, {5400, 4440}, {960, 6240}};
    for (Int16 i = 0; i < 4; ++i) {
        QVERIFY(g.form.Image1(i).visible());
        QCOMPARE(g.form.Image1(i).left(), start[i][0]);
        QCOMPARE(g.form.Image1(i).top(), start[i][1]);
    }
    QCOMPARE(g.form.X, Int16(1));
    QVERIFY(g.form.Timer1.enabled());
}

void TestCelebration::runTable_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("x");
    QTest::addColumn<float>("left0");
    QTest::addColumn<float>("top1");
    QTest::addColumn<float>("left2");
    QTest::addColumn<float>("top3");
    QTest::newRow("first tick") << 1 << 1 << 150.f << 50.f << 5350.f << 6190.f;
    QTest::newRow("tick 84 at 4300 does not turn")
        << 84 << 1 << 4300.f << 4200.f << 1200.f << 2040.f;
    QTest::newRow("tick 85, farthest point") << 85 << 1 << 4350.f << 4250.f << 1150.f << 1990.f;
    QTest::newRow("tick 86 turns and steps back")
        << 86 << -1 << 4300.f << 4200.f << 1200.f << 2040.f;
    QTest::newRow("tick 87") << 87 << -1 << 4250.f << 4150.f << 1250.f << 2090.f;
    QTest::newRow("tick 170") << 170 << -1 << 100.f << 0.f << 5400.f << 6240.f;
    // Clipped beyond the window's inside, not held back.
    QTest::newRow("tick 171, last move") << 171 << -1 << 50.f << -50.f << 5450.f << 6290.f;
}

void TestCelebration::runTable()
{
    QFETCH(int, ticks);
    QFETCH(int, x);
    QFETCH(float, left0);
    QFETCH(float, top1);
    QFETCH(float, left2);
    QFETCH(float, top3);
    Game g;
    win(g);
    for (int i = 0; i < ticks; ++i)
        QVERIFY(g.ui.tick(g.form.Timer1));
    const Positions p = positions(g.form);
    QCOMPARE(p.left0, left0);
    QCOMPARE(p.top1, top1);
    QCOMPARE(p.left2, left2);
    QCOMPARE(p.top3, top3);
    QCOMPARE(int(g.form.X), x);
    // The other coordinate of every track stays put.
    QCOMPARE(g.form.Image1(0).top(), 960.f);
    QCOMPARE(g.form.Image1(1).left(), 4440.f);
    QCOMPARE(g.form.Image1(2).top(), 4440.f);
    QCOMPARE(g.form.Image1(3).left(), 960.f);
    for (Int16 i = 0; i < 4; ++i)
        QVERIFY(g.form.Image1(i).visible());
    QVERIFY(g.form.Timer1.enabled());
}

void TestCelebration::lastTickOnlyHides()
{
    Game g;
    win(g);
    QCOMPARE(g.runCelebration(), 172);
    const Positions p = positions(g.form);
    QCOMPARE(p.left0, 50.f);
    QCOMPARE(p.top1, -50.f);
    QCOMPARE(p.left2, 5450.f);
    QCOMPARE(p.top3, 6290.f);
    for (Int16 i = 0; i < 4; ++i)
        QVERIFY(!g.form.Image1(i).visible());
    QVERIFY(!g.form.Timer1.enabled());
    QCOMPARE(int(g.form.X), -1);
}

void TestCelebration::boardStaysLockedAfterTheCelebration()
{
    Game g;
    win(g);
    g.runCelebration();
    QCOMPARE(g.form.Label1.caption(), std::string("You are the winner!"));
    QVERIFY(!g.form.Picture1.enabled());
    QVERIFY(!g.click(4));
}

void TestCelebration::secondWinRestartsTheCelebration()
{
    Game g;
    win(g);
    for (int i = 0; i < 100; ++i)
        g.ui.tick(g.form.Timer1);
    QCOMPARE(int(g.form.X), -1);
    g.ui.click(g.form.Command2);
    win(g); // a second win while the first celebration runs
    QCOMPARE(int(g.form.X), 1);
    QCOMPARE(g.form.Image1(0).left(), 100.f);
    QVERIFY(g.form.Timer1.enabled());
    QCOMPARE(g.runCelebration(), 172); // a whole celebration from the start
}

void TestCelebration::newGameDuringTheCelebrationLeavesItRunning()
{
    Game g;
    win(g);
    for (int i = 0; i < 30; ++i)
        g.ui.tick(g.form.Timer1);
    const Positions before = positions(g.form);
    g.ui.click(g.form.Command2);
    // The images stay where they were and keep going.
    QCOMPARE(positions(g.form).left0, before.left0);
    QVERIFY(g.form.Timer1.enabled());
    QVERIFY(g.form.Image1(0).visible());
    QCOMPARE(g.form.Label1.caption(), std::string("Arrange the numbers from 1 to 8"));
    QVERIFY(g.form.Picture1.enabled());
    // The new deal is playable at once.
    g.click(5);
    QCOMPARE(int(g.form.clickNum), 1);
    QCOMPARE(g.runCelebration(), 172 - 30);
    // The end sequence leaves the board and the label as the new game set them.
    QVERIFY(g.form.Picture1.enabled());
    QCOMPARE(g.form.Label1.caption(), std::string("Arrange the numbers from 1 to 8"));
    QVERIFY(!g.form.Image1(3).visible());
}

QTEST_APPLESS_MAIN(TestCelebration)
#include "tst_celebration.moc"
