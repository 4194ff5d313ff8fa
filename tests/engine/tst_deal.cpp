// Dealing and resetting, headless: the deal from constant and scripted
// random values, the whole space of start positions, and the fixed series.
#include "support/game.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

using ui::Int16;

namespace
{

QString joined(const std::array<std::string, 8> &captions)
{
    QStringList out;
    for (const auto &c : captions)
        out << QString::fromStdString(c);
    return out.join(' ');
}

// A random value that makes draw i (1..8) start its scan at position p.
float valueForStart(int draw, int p)
{
    return float((p - 1) + 0.5) / float(9 - draw);
}

// Parity of the permutation that the captions show in reading order.
bool isOdd(const std::array<std::string, 8> &captions)
{
    int inversions = 0;
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b)
            inversions += captions[size_t(a)] > captions[size_t(b)];
    return inversions % 2 == 1;
}

} // namespace

class TestDeal : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ui::setRandomSource({}); }
    void constantGenerators_data();
    void constantGenerators();
    void everySequenceOfStartPositions();
    void firstDealIsTheSameOnEveryStart();
    void dealKUsesItsOwnEightValues();
    void arrangeNewPutsTilesHomeAndKeepsCaptions();
};

void TestDeal::constantGenerators_data()
{
    QTest::addColumn<float>("u");
    QTest::addColumn<QString>("deal");
    QTest::newRow("always 0") << 0.0f << "1 2 3 4 5 6 7 8";
    QTest::newRow("always just below 1") << std::nextafter(1.0f, 0.0f) << "8 7 6 5 4 3 2 1";
    QTest::newRow("always 0.5") << 0.5f << "5 4 6 3 7 2 8 1";
}

void TestDeal::constantGenerators()
{
    QFETCH(float, u);
    QFETCH(QString, deal);
    Game g;
    ui::setRandomSource([u] { return u; });
    g.form.create();
    QCOMPARE(joined(g.captions()), deal);
}

void TestDeal::everySequenceOfStartPositions()
{
    Game g;
    std::vector<float> values(8);
    size_t next = 0;
    ui::setRandomSource([&] { return values[next++ % 8]; });

    std::map<std::array<std::string, 8>, int> deals;
    int cases = 0, solved = 0, eightLast = 0, odd = 0;
    std::array<int, 9> start{0, 1, 1, 1, 1, 1, 1, 1, 1}; // start[i]: position at draw i
    for (;;) {
        for (int i = 1; i <= 8; ++i)
            values[size_t(i - 1)] = valueForStart(i, start[size_t(i)]);
        next = 0;
        g.form.create();
        QCOMPARE(next, size_t(8)); // exactly eight values per deal
        const auto captions = g.captions();
        auto sorted = captions;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(joined(sorted), QString("1 2 3 4 5 6 7 8"));
        ++deals[captions];
        ++cases;
        solved += joined(captions) == "1 2 3 4 5 6 7 8";
        eightLast += captions[7] == "8";
        odd += isOdd(captions);

        // Next sequence: an odometer with 9 - i positions at draw i.
        int i = 8;
        while (i >= 1 && start[size_t(i)] == 9 - i)
            start[size_t(i--)] = 1;
        if (i < 1)
            break;
        ++start[size_t(i)];
    }
    QCOMPARE(cases, 40320);
    QCOMPARE(int(deals.size()), 4140);
    QCOMPARE(solved, 576);
    QCOMPARE(eightLast, 29093);
    QCOMPARE(odd, 20114);
}

void TestDeal::firstDealIsTheSameOnEveryStart()
{
    Game first;
    const auto deal = first.captions();
    Game second;
    QCOMPARE(second.captions(), deal);
    // Pinned: the deal every player sees first.
    QCOMPARE(joined(deal), QString("1 2 5 4 3 6 7 8"));
}

void TestDeal::dealKUsesItsOwnEightValues()
{
    // Deal k takes values 8k-7 to 8k: replaying only those values on a
    // fresh window reproduces it.
    std::vector<float> series;
    ui::Pcg32 gen;
    for (int i = 0; i < 40; ++i)
        series.push_back(gen.nextFloat());

    Game g;
    size_t next = 0;
    ui::setRandomSource([&] { return series.at(next++); });
    std::vector<std::array<std::string, 8>> deals;
    for (int k = 1; k <= 5; ++k) {
        g.form.create();
        QCOMPARE(next, size_t(8 * k));
        deals.push_back(g.captions());
    }
    for (int k = 1; k <= 5; ++k) {
        Game replay;
        size_t at = size_t(8 * k - 8);
        ui::setRandomSource([&] { return series.at(at++); });
        replay.form.create();
        QCOMPARE(replay.captions(), deals[size_t(k - 1)]);
    }
}

void TestDeal::arrangeNewPutsTilesHomeAndKeepsCaptions()
{
    Game g;
    g.place(4, 2, 2);
    g.place(7, 1, 1);
    g.form.Command1(0).setLeft(1234);
    const auto captions = g.captions();
    g.form.arrangeNew();
    for (Int16 i = 0; i < 8; ++i) {
        QCOMPARE(g.form.Command1(i).top(), float(i / 3 * 1000));
        QCOMPARE(g.form.Command1(i).left(), float(i % 3 * 1000));
    }
    QCOMPARE(g.captions(), captions);
    g.form.finEmp();
    QCOMPARE(int(g.form.comRow), 2);
    QCOMPARE(int(g.form.comCol), 2);
}

QTEST_APPLESS_MAIN(TestDeal)
#include "tst_deal.moc"
