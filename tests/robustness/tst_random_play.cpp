// Randomized play: thousands of seeded games of random player events on the
// headless backend, each event checked by the Referee. A failing game is cut
// down to a short sequence and printed in a form that replay() accepts.
//   QUARVEL_FUZZ_RUNS    games to play (default 10000)
//   QUARVEL_FUZZ_EVENTS  events per game (default 200)
//   QUARVEL_FUZZ_SEED    first seed (default fixed, so every run is the same)
//   QUARVEL_FUZZ_SHARD   "k/n": play only the games whose number is k modulo n
//   QUARVEL_FUZZ_REPLAY  one printed failing line to play again instead
#include "referee.h"

#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace robustness;

namespace
{

// How a game begins: the start-up deal, one move from a win, or a board that
// already reads solved (any click on a tile that cannot move wins it).
enum class Setup { Start, NearWin, Solved };
const char *const setupNames[] = {"start", "near", "solved"};

struct Scenario {
    std::uint64_t seed = 0;
    Setup setup = Setup::Start;
    std::vector<Event> events;
};

// The game's own random series for one scenario: 24-bit floats in [0, 1)
// from a splitmix64 stream of its own, so that every game deals differently
// and a replay deals the same.
ui::RandomSource seriesFor(std::uint64_t seed)
{
    return [rng = SplitMix64{seed ^ 0xD1B54A32D192ED03ULL}]() mutable {
        return float(rng.next() >> 40) * (1.0f / 16777216.0f);
    };
}

void setUp(Game &g, const Scenario &s)
{
    ui::setRandomSource(seriesFor(s.seed));
    if (s.setup == Setup::NearWin)
        g.oneMoveFromWin();
    else if (s.setup == Setup::Solved)
        g.solve();
}

// Chooses the player's next event. Some games aim at a win: with the
// shortcut armed they jump onto the free cell the tile whose number belongs
// there, a few steps from any deal, while random events keep interfering.
class Player
{
public:
    Player(std::uint64_t seed) : rng_{seed}
    {
        aimPerMille_ = rng_.chance(400) ? 300 + rng_.below(500) : 0;
        exitPerMille_ = rng_.chance(60) ? 10 : 0;
    }

    Event next(const Form1 &f, const Referee &r)
    {
        if (aimPerMille_ && rng_.chance(aimPerMille_))
            return aimed(f, r);
        return random();
    }

private:
    Event random()
    {
        const int roll = rng_.below(1000);
        if (roll < 420)
            return {Kind::Click, rng_.below(8)};
        if (roll < 570) {
            const int k = rng_.below(100);
            const int code = k < 40 ? 'a' : k < 55 ? 'A' : rng_.below(256);
            return {Kind::Key, rng_.below(8), code};
        }
        if (roll < 720) {
            // Often a few ticks, sometimes a whole celebration at once.
            const int n = rng_.chance(500) ? 1 + rng_.below(10) : 1 + rng_.below(200);
            return {Kind::Tick, 0, n};
        }
        if (roll < 760)
            return {Kind::HoverCommand2};
        if (roll < 800)
            return {Kind::HoverCommand3};
        if (roll < 840)
            return {Kind::HoverForm};
        if (roll < 870)
            return {Kind::NewGame};
        if (roll < 900)
            return {Kind::NewGameMenu};
        if (roll < 915)
            return {Kind::Tip};
        if (exitPerMille_ && rng_.chance(exitPerMille_))
            return {Kind::Exit};
        return {Kind::Click, rng_.below(8)};
    }

    Event aimed(const Form1 &f, const Referee &r)
    {
        if (r.won())
            return rng_.chance(500) ? Event{Kind::Tick, 0, 1 + rng_.below(200)}
                                    : Event{rng_.chance(500) ? Kind::NewGame : Kind::NewGameMenu};
        const Board b = readBoard(f);
        if (!b.problem.empty() || b.solved())
            return {Kind::Click, rng_.below(8)};
        const int target = jumpTowardsWin(b);
        if (!r.armed() && !adjacent(b.cells[std::size_t(target)], b.free))
            return {Kind::Key, rng_.below(8), 'a'};
        return {Kind::Click, target};
    }

    SplitMix64 rng_;
    int aimPerMille_;
    int exitPerMille_;
};

struct Outcome {
    std::string failure; // empty when every event held
    int failedAt = -1;   // index of the event after which it failed
    int wins = 0;
    int restarts = 0;     // wins while a celebration was still running
    long longestGame = 0; // most moves between two new games
};

// Plays the scenario's events and stops at the first broken rule.
Outcome replay(const Scenario &s)
{
    Outcome out;
    Game g;
    setUp(g, s);
    Referee r(g);
    for (std::size_t i = 0; i < s.events.size(); ++i) {
        out.failure = r.play(s.events[i]);
        out.longestGame = std::max(out.longestGame, r.moves());
        if (!out.failure.empty()) {
            out.failedAt = int(i);
            break;
        }
    }
    out.wins = r.wins();
    out.restarts = r.restarts();
    return out;
}

// A fresh game of `count` events chosen by the player as it goes; the events
// are recorded so that a failure can be replayed and cut down.
Outcome play(Scenario &s, int count)
{
    Outcome out;
    SplitMix64 pick{s.seed};
    const int roll = pick.below(100);
    s.setup = roll < 20 ? Setup::NearWin : roll < 25 ? Setup::Solved : Setup::Start;
    Game g;
    setUp(g, s);
    Referee r(g);
    Player player(pick.next());
    s.events.clear();
    s.events.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        s.events.push_back(player.next(g.form, r));
        out.failure = r.play(s.events.back());
        out.longestGame = std::max(out.longestGame, r.moves());
        if (!out.failure.empty()) {
            out.failedAt = i;
            break;
        }
    }
    out.wins = r.wins();
    out.restarts = r.restarts();
    return out;
}

// Cuts a failing scenario down: first to the prefix that fails, then by
// dropping single events and shortening tick runs while it still fails.
Scenario shrink(Scenario s, const Outcome &failed)
{
    s.events.resize(std::size_t(failed.failedAt) + 1);
    int budget = 5000; // replays; each is at most a few hundred events
    for (bool progress = true; progress && budget > 0;) {
        progress = false;
        for (std::size_t i = s.events.size(); i-- > 0 && budget > 0;) {
            Scenario t = s;
            t.events.erase(t.events.begin() + std::ptrdiff_t(i));
            --budget;
            if (const Outcome o = replay(t); !o.failure.empty()) {
                t.events.resize(std::size_t(o.failedAt) + 1);
                s = t;
                progress = true;
                i = std::min(i, s.events.size());
            }
        }
        for (std::size_t i = 0; i < s.events.size() && budget > 0; ++i) {
            if (s.events[i].kind != Kind::Tick || s.events[i].value == 1)
                continue;
            Scenario t = s;
            t.events[i].value /= 2;
            --budget;
            if (const Outcome o = replay(t); !o.failure.empty()) {
                t.events.resize(std::size_t(o.failedAt) + 1);
                s = t;
                progress = true;
            }
        }
    }
    return s;
}

std::string describe(const Scenario &s)
{
    char head[64];
    std::snprintf(head, sizeof head,
                  "seed=%016llx setup=%s events=", static_cast<unsigned long long>(s.seed),
                  setupNames[int(s.setup)]);
    return head + toText(s.events);
}

std::optional<Scenario> parseScenario(const std::string &line)
{
    Scenario s;
    char setup[16] = {};
    unsigned long long seed = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "seed=%llx setup=%15s events=%n", &seed, setup, &used) < 2 ||
        used == 0)
        return std::nullopt;
    s.seed = seed;
    const std::string name = setup;
    if (name == "near")
        s.setup = Setup::NearWin;
    else if (name == "solved")
        s.setup = Setup::Solved;
    else if (name != "start")
        return std::nullopt;
    auto events = parseEvents(std::string_view(line).substr(std::size_t(used)));
    if (!events)
        return std::nullopt;
    s.events = std::move(*events);
    return s;
}

long envNumber(const char *name, long fallback)
{
    const char *v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 0) : fallback;
}

} // namespace

class TestRandomPlay : public QObject
{
    Q_OBJECT

private slots:
    void eventTextRoundTrips();
    void replayedSequences_data();
    void replayedSequences();
    void randomGames();
};

void TestRandomPlay::eventTextRoundTrips()
{
    const std::string text = "c0 c7 k3:97 k0:65 k7:255 n m t1 t200 h H f ? x";
    const auto events = parseEvents(text);
    QVERIFY(events.has_value());
    QCOMPARE(events->size(), std::size_t(14));
    QCOMPARE(toText(*events), text);
    for (const char *bad : {"c8", "k3", "k3:256", "t0", "n1", "z", "c"})
        QVERIFY2(!parseEvents(bad).has_value(), bad);
}

// Sequences through the corners of the rules, replayed with the same checks
// as the random games; a failure printed by randomGames() belongs here too.
void TestRandomPlay::replayedSequences_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("wins");
    QTest::newRow("win, then the locked board ignores clicks and keys")
        << "seed=1 setup=near events=c7 c0 k0:97 c3 t171 c7 t1 t5" << 1;
    QTest::newRow("shortcut survives a new game and jumps the first click")
        << "seed=2 setup=start events=k2:97 n c0 c0 m k5:97 k5:65 c0" << 0;
    QTest::newRow("new game during the celebration, won again before its end")
        << "seed=3 setup=solved events=c0 t40 n k0:97 c0 k1:97 c1 k0:97 c0 k2:97 c2 k4:97 c4 "
           "k2:97 c2 k3:97 c3 k5:97 c5 k3:97 c3 t10 t200"
        << 2;
    QTest::newRow("win without a move on a board that reads solved")
        << "seed=4 setup=solved events=c0 t172 t1 m c5 c5" << 1;
    QTest::newRow("hover, tip and exit; nothing reaches a handler afterwards")
        << "seed=5 setup=start events=h H f ? c5 x c5 n t3 ? h" << 0;
}

void TestRandomPlay::replayedSequences()
{
    QFETCH(QString, line);
    QFETCH(int, wins);
    const auto s = parseScenario(line.toStdString());
    QVERIFY(s.has_value());
    const Outcome o = replay(*s);
    QVERIFY2(o.failure.empty(),
             ("after event " + std::to_string(o.failedAt) + ": " + o.failure).c_str());
    QCOMPARE(o.wins, wins);
}

void TestRandomPlay::randomGames()
{
    if (const char *line = std::getenv("QUARVEL_FUZZ_REPLAY"); line && *line) {
        const auto s = parseScenario(line);
        QVERIFY2(s.has_value(), "QUARVEL_FUZZ_REPLAY is not a printed failure line");
        const Outcome o = replay(*s);
        QVERIFY2(o.failure.empty(), o.failure.c_str());
        return;
    }
    const long runs = envNumber("QUARVEL_FUZZ_RUNS", 10000);
    const int events = int(envNumber("QUARVEL_FUZZ_EVENTS", 200));
    const char *seedText = std::getenv("QUARVEL_FUZZ_SEED");
    const std::uint64_t firstSeed =
        seedText && *seedText ? std::strtoull(seedText, nullptr, 0) : 0x5157415256454CULL;
    long shard = 0, shards = 1;
    if (const char *v = std::getenv("QUARVEL_FUZZ_SHARD"); v && *v) {
        QVERIFY2(std::sscanf(v, "%ld/%ld", &shard, &shards) == 2 && shard >= 0 && shard < shards,
                 "QUARVEL_FUZZ_SHARD is not k/n");
    }
    const auto start = std::chrono::steady_clock::now();
    long games = 0, played = 0, wins = 0, gamesWithWin = 0, restarts = 0, longest = 0;
    for (long run = shard; run < runs; run += shards) {
        Scenario s;
        s.seed = firstSeed + std::uint64_t(run);
        const Outcome o = play(s, events);
        if (!o.failure.empty()) {
            const Scenario small = shrink(s, o);
            const Outcome again = replay(small);
            const std::string message = "game " + std::to_string(run) + " broke a rule after " +
                                        std::to_string(o.failedAt + 1) + " events: " + o.failure +
                                        "\n  full:  " + describe(s) +
                                        "\n  short: " + describe(small) +
                                        "\n  which fails with: " + again.failure +
                                        "\n  replay: QUARVEL_FUZZ_REPLAY='" + describe(small) + "'";
            QFAIL(message.c_str());
        }
        ++games;
        played += events;
        wins += o.wins;
        gamesWithWin += o.wins > 0;
        restarts += o.restarts;
        longest = std::max(longest, o.longestGame);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    qInfo("%ld games, %ld events checked in %.2f s; %ld wins in %ld games, %ld of them during "
          "a celebration; longest game %ld moves",
          games, played, seconds, wins, gamesWithWin, restarts, longest);
    // Without wins the locked board and the celebration were never played.
    if (games >= 500)
        QVERIFY(gamesWithWin * 10 >= games);
}

QTEST_APPLESS_MAIN(TestRandomPlay)
#include "tst_random_play.moc"
