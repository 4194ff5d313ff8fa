// Board geometry and rules, headless: bands and seams of findRow, the
// neighbour test, the free-cell search and the win test.
#include "support/game.h"

#include <QTest>

using ui::Int16;

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void findRowBandsAndSeams_data();
    void findRowBandsAndSeams();
    void isNext_data();
    void isNext();
    void finEmpFindsTheFreeCell_data();
    void finEmpFindsTheFreeCell();
    void isWinOnSolvedBoards_data();
    void isWinOnSolvedBoards();
    void isWinStopsAtTheFirstMisplacedTile();
};

void TestRules::findRowBandsAndSeams_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("990, end of the first band") << 990.0f << 0;
    QTest::newRow("995, first seam") << 995.0f << 0;
    QTest::newRow("just below 1000") << std::nextafter(1000.0f, 0.0f) << 0;
    QTest::newRow("1000") << 1000.0f << 1;
    QTest::newRow("1990") << 1990.0f << 1;
    QTest::newRow("1995, second seam") << 1995.0f << 0;
    QTest::newRow("2000") << 2000.0f << 2;
    QTest::newRow("2990") << 2990.0f << 2;
    QTest::newRow("3000, end of the last band") << 3000.0f << 2;
    QTest::newRow("3001, beyond") << 3001.0f << 0;
    QTest::newRow("-15") << -15.0f << 0;
}

void TestRules::findRowBandsAndSeams()
{
    QFETCH(float, r);
    QFETCH(int, index);
    Game g;
    QCOMPARE(int(g.form.findRow(r)), index);
}

void TestRules::isNext_data()
{
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("c1");
    QTest::addColumn<int>("r2");
    QTest::addColumn<int>("c2");
    QTest::addColumn<bool>("next");
    QTest::newRow("above") << 1 << 1 << 0 << 1 << true;
    QTest::newRow("right") << 2 << 1 << 2 << 2 << true;
    QTest::newRow("left") << 0 << 1 << 0 << 0 << true;
    QTest::newRow("below") << 0 << 2 << 1 << 2 << true;
    QTest::newRow("same cell") << 1 << 1 << 1 << 1 << false;
    QTest::newRow("diagonal") << 0 << 0 << 1 << 1 << false;
    QTest::newRow("two apart in a row") << 0 << 0 << 0 << 2 << false;
    QTest::newRow("two apart in a column") << 0 << 1 << 2 << 1 << false;
    QTest::newRow("knight's move") << 0 << 0 << 2 << 1 << false;
}

void TestRules::isNext()
{
    QFETCH(int, r1);
    QFETCH(int, c1);
    QFETCH(int, r2);
    QFETCH(int, c2);
    QFETCH(bool, next);
    Game g;
    const Int16 expected = next ? ui::BoolTrue : ui::BoolFalse;
    QCOMPARE(g.form.isNext(Int16(r1), Int16(c1), Int16(r2), Int16(c2)), expected);
    QCOMPARE(g.form.isNext(Int16(r2), Int16(c2), Int16(r1), Int16(c1)), expected);
}

void TestRules::finEmpFindsTheFreeCell_data()
{
    // Each row moves some tiles (tile, row, col) away from the start layout,
    // then may push one tile's Left into the seam at 1995 twips.
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<int>("seamTile");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("start layout") << QList<int>{} << -1 << 2 << 2;
    QTest::newRow("tile 4 into the corner") << QList<int>{4, 2, 2} << -1 << 1 << 1;
    QTest::newRow("tile 0 into the corner") << QList<int>{0, 2, 2} << -1 << 0 << 0;
    // Tile 3 onto tile 4 frees cells 3 and 8: the later one wins.
    QTest::newRow("two free, last wins") << QList<int>{3, 1, 1} << -1 << 2 << 2;
    QTest::newRow("two free, cells 0 and 3") << QList<int>{0, 2, 2, 3, 1, 1} << -1 << 1 << 0;
    // Tile 1 in the seam counts in column 0, on top of the free cell 0.
    QTest::newRow("seam counts as index 0") << QList<int>{0, 2, 2} << 1 << 0 << 1;
}

void TestRules::finEmpFindsTheFreeCell()
{
    QFETCH(QList<int>, moves);
    QFETCH(int, seamTile);
    QFETCH(int, row);
    QFETCH(int, col);
    Game g;
    for (qsizetype i = 0; i + 2 < moves.size(); i += 3)
        g.place(moves[i], moves[i + 1], moves[i + 2]);
    if (seamTile >= 0)
        g.form.Command1(Int16(seamTile)).setLeft(1995);
    g.form.finEmp();
    QCOMPARE(int(g.form.comRow), row);
    QCOMPARE(int(g.form.comCol), col);
}

void TestRules::isWinOnSolvedBoards_data()
{
    // The number each tile index shows; a tile always stands on the home cell
    // of its number minus one, so every row here is a solved board.
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("in index order") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("reversed indexes") << QList<int>{8, 7, 6, 5, 4, 3, 2, 1};
    QTest::newRow("shuffled indexes") << QList<int>{3, 8, 1, 5, 2, 7, 4, 6};
}

void TestRules::isWinOnSolvedBoards()
{
    QFETCH(QList<int>, numbers);
    Game g;
    for (int k = 0; k < 8; ++k) {
        const int n = numbers[k] - 1;
        g.form.Command1(Int16(k)).setCaption(std::to_string(numbers[k]));
        g.place(k, n / 3, n % 3);
    }
    QCOMPARE(g.form.isWin(), ui::BoolTrue);
    // Swapping two numbers unsolves it.
    const std::string first = g.form.Command1(0).caption();
    g.form.Command1(0).setCaption(g.form.Command1(1).caption());
    g.form.Command1(1).setCaption(first);
    QCOMPARE(g.form.isWin(), ui::BoolFalse);
}

// The win test reads tile 0 first and gives up there; a broken caption on a
// later tile, which would raise an error if read, proves it stops.
void TestRules::isWinStopsAtTheFirstMisplacedTile()
{
    Game g;
    g.solve();
    g.place(0, 2, 2);                             // tile 0 off its cell
    g.form.Command1(5).setCaption("99999999999"); // overflows if converted
    QCOMPARE(g.form.isWin(), ui::BoolFalse);

    g.place(0, 0, 0); // back on its cell: now tile 5 is read and fails
    bool raised = false;
    try {
        g.form.isWin();
    } catch (const ui::RuntimeError &e) {
        raised = e.code() == ui::ErrorCode::Overflow;
    }
    QVERIFY(raised);
}

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
