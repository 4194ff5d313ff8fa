// The game commands, headless: new game from every state and from both of
// its twins, exit, the tip box and the hover highlight.
#include "support/game.h"

#include <QTest>

using ui::Int16;

namespace
{

enum class State { Fresh, Playing, Celebrating, Won };

void bringTo(Game &g, State s)
{
    switch (s) {
    case State::Fresh:
        break;
    case State::Playing:
        g.click(5);
        g.click(4);
        break;
    case State::Celebrating:
    case State::Won:
        g.oneMoveFromWin();
        g.click(7);
        if (s == State::Won)
            g.runCelebration();
        break;
    }
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void newGameFromEveryState_data();
    void newGameFromEveryState();
    void newGamesDrawConsecutiveDeals_data();
    void newGamesDrawConsecutiveDeals();
    void exitEndsTheProgram_data();
    void exitEndsTheProgram();
    void tipShowsTheBoxAndChangesNothing();
    void hoverHighlight_data();
    void hoverHighlight();
};

void TestCommands::newGameFromEveryState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("menu");
    const char *names[] = {"fresh", "playing", "celebrating", "won"};
    for (int s = 0; s < 4; ++s) {
        QTest::addRow("button, %s", names[s]) << s << false;
        QTest::addRow("menu, %s", names[s]) << s << true;
    }
}

void TestCommands::newGameFromEveryState()
{
    QFETCH(int, state);
    QFETCH(bool, menu);
    Game g;
    bringTo(g, State(state));
    g.form.isShift = ui::BoolTrue; // a new game leaves the shortcut alone
    const bool celebrating = g.form.Timer1.enabled();
    const float image0 = g.form.Image1(0).left();
    const Int16 x = g.form.X;

    QVERIFY(g.ui.click(menu ? static_cast<ui::Control &>(g.form.mnuStart)
                            : static_cast<ui::Control &>(g.form.Command2)));

    for (Int16 i = 0; i < 8; ++i) {
        QCOMPARE(g.form.Command1(i).top(), float(i / 3 * 1000));
        QCOMPARE(g.form.Command1(i).left(), float(i % 3 * 1000));
    }
    QCOMPARE(g.form.Label1.caption(), std::string("Arrange the numbers from 1 to 8"));
    QCOMPARE(g.form.Label3.caption(), std::string("0"));
    QCOMPARE(int(g.form.clickNum), 0);
    QVERIFY(g.form.Picture1.enabled());
    QCOMPARE(g.form.isShift, ui::BoolTrue);
    // A running celebration is neither stopped nor moved.
    QCOMPARE(g.form.Timer1.enabled(), celebrating);
    QCOMPARE(g.form.Image1(0).left(), image0);
    QCOMPARE(g.form.Image1(0).visible(), celebrating);
    QCOMPARE(g.form.X, x);
    // The board takes clicks again.
    g.form.isShift = ui::BoolFalse;
    QVERIFY(g.click(5));
    QCOMPARE(int(g.form.clickNum), 1);
}

void TestCommands::newGamesDrawConsecutiveDeals_data()
{
    QTest::addColumn<bool>("menu");
    QTest::newRow("button") << false;
    QTest::newRow("menu") << true;
}

void TestCommands::newGamesDrawConsecutiveDeals()
{
    QFETCH(bool, menu);
    // Deals 2 and 3 of a run, found by replaying the series on the deal alone.
    Game reference;
    reference.form.create();
    const auto second = reference.captions();
    reference.form.create();
    const auto third = reference.captions();

    Game g;
    ui::Control &command = menu ? static_cast<ui::Control &>(g.form.mnuStart)
                                : static_cast<ui::Control &>(g.form.Command2);
    g.ui.click(command);
    QCOMPARE(g.captions(), second);
    g.ui.click(command);
    QCOMPARE(g.captions(), third);
    QVERIFY(second != third);
}

void TestCommands::exitEndsTheProgram_data()
{
    QTest::addColumn<bool>("menu");
    QTest::addColumn<bool>("celebrating");
    QTest::newRow("button") << false << false;
    QTest::newRow("menu") << true << false;
    QTest::newRow("button, celebrating") << false << true;
    QTest::newRow("menu, celebrating") << true << true;
}

void TestCommands::exitEndsTheProgram()
{
    QFETCH(bool, menu);
    QFETCH(bool, celebrating);
    Game g;
    if (celebrating)
        bringTo(g, State::Celebrating);
    const Int16 clicks = g.form.clickNum;
    g.ui.click(menu ? static_cast<ui::Control &>(g.form.mnuExit)
                    : static_cast<ui::Control &>(g.form.Command3));
    QVERIFY(g.ui.endRequested());
    // No handler runs after the end, not even a pending tick.
    QVERIFY(!g.click(5));
    QVERIFY(!g.ui.tick(g.form.Timer1));
    QCOMPARE(g.form.clickNum, clicks);
}

void TestCommands::tipShowsTheBoxAndChangesNothing()
{
    Game g;
    bringTo(g, State::Playing);
    const auto captions = g.captions();
    const float top = g.form.Command1(4).top();
    const Int16 clicks = g.form.clickNum;
    QVERIFY(g.ui.click(g.form.mnushort));
    QCOMPARE(g.ui.messages().size(), size_t(1));
    QCOMPARE(g.ui.messages()[0].text,
             std::string("There is a shortcut in the puzzle, have you found it?"));
    QCOMPARE(g.ui.messages()[0].title, std::string("Shortcut"));
    QCOMPARE(g.captions(), captions);
    QCOMPARE(g.form.Command1(4).top(), top);
    QCOMPARE(g.form.clickNum, clicks);
    QCOMPARE(g.form.Label3.caption(), std::to_string(clicks));
    QCOMPARE(g.form.isShift, ui::BoolFalse);
}

void TestCommands::hoverHighlight_data()
{
    // A path of the pointer: 2 = Command2, 3 = Command3, f = bare window.
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("yellow2");
    QTest::addColumn<bool>("yellow3");
    QTest::newRow("over Start") << "2" << true << false;
    QTest::newRow("over Exit") << "3" << false << true;
    QTest::newRow("Start, then bare window") << "2f" << false << false;
    QTest::newRow("Start straight to Exit") << "23" << true << true;
    QTest::newRow("both, then bare window") << "32f" << false << false;
    QTest::newRow("bare window, then Exit") << "f3" << false << true;
}

void TestCommands::hoverHighlight()
{
    QFETCH(QString, path);
    QFETCH(bool, yellow2);
    QFETCH(bool, yellow3);
    Game g;
    for (QChar c : path) {
        ui::Control &over = c == '2'   ? static_cast<ui::Control &>(g.form.Command2)
                            : c == '3' ? static_cast<ui::Control &>(g.form.Command3)
                                       : static_cast<ui::Control &>(g.form);
        QVERIFY(g.ui.mouseMove(over));
    }
    QCOMPARE(g.form.Command2.backColor(),
             yellow2 ? ui::colors::lightYellow : ui::colors::buttonFace);
    QCOMPARE(g.form.Command3.backColor(),
             yellow3 ? ui::colors::lightYellow : ui::colors::buttonFace);
}

QTEST_APPLESS_MAIN(TestCommands)
#include "tst_commands.moc"
