// Tile moves, headless: adjacency, the move counter and its ceiling, the
// "a" shortcut, and the win check that follows every tile click.
#include "support/game.h"

#include <QTest>

using ui::Int16;

class TestMoves : public QObject
{
    Q_OBJECT

private slots:
    void clickFromStart_data();
    void clickFromStart();
    void shortcutArmsForOneClick_data();
    void shortcutArmsForOneClick();
    void shortcutSurvivesANewGame();
    void keyPressLeavesTheKeyAlone();
    void clickThatMovesNothingStillChecksForAWin();
    void winningMoveCountsBeforeTheAnnouncement();
    void counterStopsAtItsCeiling();
};

void TestMoves::clickFromStart_data()
{
    // From the start layout the free cell is (2, 2).
    QTest::addColumn<int>("tile");
    QTest::addColumn<bool>("moves");
    QTest::newRow("tile 5, above the free cell") << 5 << true;
    QTest::newRow("tile 7, left of the free cell") << 7 << true;
    QTest::newRow("tile 4, diagonal") << 4 << false;
    QTest::newRow("tile 2, two cells up") << 2 << false;
    QTest::newRow("tile 6, two cells left") << 6 << false;
    QTest::newRow("tile 0, far corner") << 0 << false;
}

void TestMoves::clickFromStart()
{
    QFETCH(int, tile);
    QFETCH(bool, moves);
    Game g;
    const float top = g.form.Command1(Int16(tile)).top();
    const float left = g.form.Command1(Int16(tile)).left();
    QVERIFY(g.click(tile));
    if (moves) {
        QCOMPARE(g.form.Command1(Int16(tile)).top(), 2000.0f);
        QCOMPARE(g.form.Command1(Int16(tile)).left(), 2000.0f);
        QCOMPARE(int(g.form.clickNum), 1);
        QCOMPARE(g.form.Label3.caption(), std::string("1"));
        // Its old cell is the new free cell, so the same tile goes back.
        QVERIFY(g.click(tile));
        QCOMPARE(g.form.Command1(Int16(tile)).top(), top);
        QCOMPARE(g.form.Command1(Int16(tile)).left(), left);
        QCOMPARE(g.form.Label3.caption(), std::string("2"));
    } else {
        QCOMPARE(g.form.Command1(Int16(tile)).top(), top);
        QCOMPARE(g.form.Command1(Int16(tile)).left(), left);
        QCOMPARE(int(g.form.clickNum), 0);
        QCOMPARE(g.form.Label3.caption(), std::string("0"));
    }
    QCOMPARE(g.form.isShift, ui::BoolFalse);
}

void TestMoves::shortcutArmsForOneClick_data()
{
    QTest::addColumn<QString>("keys"); // pressed on tile 3, in order
    QTest::addColumn<bool>("jumps");
    QTest::newRow("a") << "a" << true;
    QTest::newRow("A does not arm") << "A" << false;
    QTest::newRow("a then b disarms") << "ab" << false;
    QTest::newRow("a then A disarms") << "aA" << false;
    QTest::newRow("a then space disarms") << "a " << false;
    QTest::newRow("b then a arms") << "ba" << true;
    QTest::newRow("a twice") << "aa" << true;
}

void TestMoves::shortcutArmsForOneClick()
{
    QFETCH(QString, keys);
    QFETCH(bool, jumps);
    Game g;
    for (QChar c : keys)
        QVERIFY(g.key(3, char(c.unicode())));
    QCOMPARE(g.form.isShift, jumps ? ui::BoolTrue : ui::BoolFalse);

    g.click(0); // the far corner: only a jump can move it
    if (!jumps) {
        QCOMPARE(g.form.Command1(0).top(), 0.0f);
        QCOMPARE(int(g.form.clickNum), 0);
        return;
    }
    QCOMPARE(g.form.Command1(0).top(), 2000.0f);
    QCOMPARE(g.form.Command1(0).left(), 2000.0f);
    QCOMPARE(int(g.form.clickNum), 1);
    QCOMPARE(g.form.isShift, ui::BoolFalse);
    // The next click is judged by adjacency again: tile 8 in (0, 2) is two
    // cells from the free (0, 0).
    g.click(2);
    QCOMPARE(g.form.Command1(2).left(), 2000.0f);
    QCOMPARE(int(g.form.clickNum), 1);
    // A neighbour of the free cell still moves.
    g.click(1);
    QCOMPARE(g.form.Command1(1).left(), 0.0f);
    QCOMPARE(int(g.form.clickNum), 2);
}

void TestMoves::shortcutSurvivesANewGame()
{
    Game g;
    g.key(0, 'a');
    g.ui.click(g.form.Command2);
    QCOMPARE(g.form.isShift, ui::BoolTrue);
    g.click(0);
    QCOMPARE(g.form.Command1(0).top(), 2000.0f);
    QCOMPARE(g.form.Command1(0).left(), 2000.0f);
}

void TestMoves::keyPressLeavesTheKeyAlone()
{
    Game g;
    Int16 key = 'a';
    g.form.Command1_KeyPress(4, key);
    QCOMPARE(key, Int16('a'));
    QCOMPARE(g.form.isShift, ui::BoolTrue);
}

void TestMoves::clickThatMovesNothingStillChecksForAWin()
{
    Game g;
    g.solve();
    QCOMPARE(g.form.Label1.caption(), std::string("Arrange the numbers from 1 to 8"));
    g.click(0); // not next to the free cell: nothing moves, yet the win shows
    QCOMPARE(int(g.form.clickNum), 0);
    QCOMPARE(g.form.Label1.caption(), std::string("You are the winner!"));
    QVERIFY(!g.form.Picture1.enabled());

    Game h;
    h.solve();
    h.click(7); // next to the free cell: it moves and the board is unsolved
    QCOMPARE(int(h.form.clickNum), 1);
    QCOMPARE(h.form.Label1.caption(), std::string("Arrange the numbers from 1 to 8"));
    QVERIFY(h.form.Picture1.enabled());
}

void TestMoves::winningMoveCountsBeforeTheAnnouncement()
{
    Game g;
    g.oneMoveFromWin();
    g.form.clickNum = 41;
    g.click(7);
    QCOMPARE(g.form.Label3.caption(), std::string("42"));
    QCOMPARE(g.form.Label1.caption(), std::string("You are the winner!"));
    QVERIFY(g.form.Timer1.enabled());
    // The locked board takes no more clicks or keys.
    QVERIFY(!g.click(5));
    QVERIFY(!g.key(5, 'a'));
    QCOMPARE(g.form.isShift, ui::BoolFalse);
}

void TestMoves::counterStopsAtItsCeiling()
{
    Game g;
    const int errors = ui::errorCount();
    g.form.clickNum = 32766;
    g.click(7); // move 32 767
    QCOMPARE(g.form.Label3.caption(), std::string("32767"));
    g.key(0, 'a');
    g.click(7); // move 32 768, a jump back: the tile moves, the count holds
    QCOMPARE(g.form.Command1(7).left(), 1000.0f);
    QCOMPARE(int(g.form.clickNum), 32767);
    QCOMPARE(g.form.Label3.caption(), std::string("32767"));
    QCOMPARE(g.form.isShift, ui::BoolFalse); // the click ran to its end
    for (int i = 0; i < 10; ++i)
        g.click(7);
    QCOMPARE(int(g.form.clickNum), 32767);
    QCOMPARE(ui::errorCount(), errors);

    // The win check still runs at the ceiling.
    g.oneMoveFromWin();
    g.click(7);
    QCOMPARE(g.form.Label1.caption(), std::string("You are the winner!"));
    QCOMPARE(g.form.Label3.caption(), std::string("32767"));

    // A new game starts counting again.
    g.ui.click(g.form.Command2);
    QCOMPARE(int(g.form.clickNum), 0);
}

QTEST_APPLESS_MAIN(TestMoves)
#include "tst_moves.moc"
