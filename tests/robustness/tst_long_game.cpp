// One game of more moves than the 16-bit counter holds, every move a click
// through the dispatch boundary and checked by the Referee: the counter
// stops at 32767 and the game goes on moving, jumping and winning.
#include "referee.h"

#include <QTest>

using namespace robustness;

class TestLongGame : public QObject
{
    Q_OBJECT

private slots:
    void counterStopsAtItsLimitAndPlayGoesOn();
};

void TestLongGame::counterStopsAtItsLimitAndPlayGoesOn()
{
    constexpr long totalMoves = 40000;
    Game g;
    Referee r(g);
    SplitMix64 rng{20240601};
    const std::vector<Event> interlude = *parseEvents("h f ? t5 k3:65");
    const auto play = [&](const Event &e) {
        const std::string failure = r.play(e);
        if (!failure.empty())
            QTest::qFail(("after " + std::to_string(r.moves()) + " moves: " + failure).c_str(),
                         __FILE__, __LINE__);
        return failure.empty();
    };

    while (r.moves() < totalMoves) {
        const long before = r.moves();
        const Board b = readBoard(g.form);
        if (before % 5000 == 17) {
            // The other events keep working in between.
            for (const Event &e : interlude)
                if (!play(e))
                    return;
        }
        if (before % 1000 == 999) {
            // Now and then a shortcut jump from wherever the tile stands,
            // though never the one that would solve the board; the click
            // clears the shortcut again, which the Referee checks.
            int tile = rng.below(8);
            Board after = b;
            after.cells[std::size_t(tile)] = b.free;
            if (after.solved())
                tile = (tile + 1) % 8;
            if (!play({Kind::Key, tile, 'a'}) || !play({Kind::Click, tile}))
                return;
        } else {
            const int tile = walkStep(b, rng);
            QVERIFY(tile >= 0);
            if (!play({Kind::Click, tile}))
                return;
        }
        QCOMPARE(r.moves(), before + 1);
        if (r.moves() >= counterLimit - 1 && r.moves() <= counterLimit + 1) {
            const long expected = std::min<long>(r.moves(), counterLimit);
            QCOMPARE(long(g.form.clickNum), expected);
            QCOMPARE(g.form.Label3.caption(), std::to_string(expected));
        }
        QVERIFY(!r.won());
    }
    QCOMPARE(g.form.clickNum, ui::Int16(32767));
    QCOMPARE(g.form.Label3.caption(), std::string("32767"));

    // Still a game: solve it with jumps; the winning click is checked and
    // announced with the counter held at its limit.
    for (int step = 0; step < 20 && !r.won(); ++step) {
        const int tile = jumpTowardsWin(readBoard(g.form));
        QVERIFY(tile >= 0);
        if (!play({Kind::Key, 0, 'a'}) || !play({Kind::Click, tile}))
            return;
        QCOMPARE(g.form.isShift, ui::BoolFalse);
    }
    QVERIFY(r.won());
    QCOMPARE(g.form.Label1.caption(), winnerText);
    QCOMPARE(g.form.Label3.caption(), std::string("32767"));
    QVERIFY(!g.form.Picture1.enabled());
    QVERIFY(play({Kind::Tick, 0, 200}));
    QVERIFY(!g.form.Timer1.enabled());

    const long moves = r.moves();
    QVERIFY(play({Kind::NewGame}));
    QCOMPARE(g.form.clickNum, ui::Int16(0));
    QCOMPARE(g.form.Label3.caption(), std::string("0"));
    qInfo("one game of %ld moves, won with the counter at %s", moves, "32767");
}

QTEST_APPLESS_MAIN(TestLongGame)
#include "tst_long_game.moc"
