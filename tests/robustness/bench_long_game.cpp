// Memory over a long game: plays hundreds of thousands of moves through the
// headless dispatch boundary and prints the peak and current resident memory
// (VmHWM, VmRSS from /proc/self/status) at intervals. Fails when the peak
// still grows once the game is under way, except under AddressSanitizer,
// whose quarantine keeps freed memory on purpose.
//   cmake --build build --target bench_long_game && build/tests/robustness/bench_long_game 500000
#include "referee.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace robustness;

namespace
{

// A field of /proc/self/status in kB, or -1 where there is none.
long statusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0)
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool judgeMemory = false;
#else
constexpr bool judgeMemory = true;
#endif

} // namespace

int main(int argc, char **argv)
{
    const long moves = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 500000;
    const long interval = std::max(1L, moves / 10);
    constexpr long allowedGrowthKb = 256;
    if (moves < 40000) {
        std::fprintf(stderr, "usage: %s [moves >= 40000]\n", argv[0]);
        return 2;
    }

    Game g;
    SplitMix64 rng{7};
    const auto start = std::chrono::steady_clock::now();
    long baseline = -1;
    long made = 0;
    std::printf("%10s %9s %10s %10s %8s\n", "moves", "clickNum", "VmHWM kB", "VmRSS kB", "seconds");
    while (made < moves) {
        const Board b = readBoard(g.form);
        if (!b.problem.empty()) {
            std::fprintf(stderr, "after %ld moves: %s\n", made, b.problem.c_str());
            return 1;
        }
        int tile;
        if (made % 1000 == 999) {
            // A shortcut jump, never the one that would solve the board.
            tile = rng.below(8);
            Board after = b;
            after.cells[std::size_t(tile)] = b.free;
            if (after.solved())
                tile = (tile + 1) % 8;
            g.key(tile, 'a');
        } else {
            tile = walkStep(b, rng);
        }
        g.click(tile);
        if (made % 997 == 0) {
            g.ui.mouseMove(g.form.Command2);
            g.ui.mouseMove(g.form);
        }
        ++made;
        if (made % interval == 0) {
            const long hwm = statusKb("VmHWM");
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("%10ld %9d %10ld %10ld %8.2f\n", made, int(g.form.clickNum), hwm,
                        statusKb("VmRSS"), seconds);
            if (made == interval)
                baseline = hwm;
            else if (judgeMemory && hwm > baseline + allowedGrowthKb) {
                std::fprintf(stderr, "peak memory grew from %ld kB to %ld kB\n", baseline, hwm);
                return 1;
            }
        }
    }
    if (g.form.clickNum != counterLimit || ui::errorCount() != 0) {
        std::fprintf(stderr, "clickNum %d, %d runtime errors\n", int(g.form.clickNum),
                     ui::errorCount());
        return 1;
    }
    std::printf("%ld moves, peak memory %s\n", made,
                judgeMemory ? "flat after the first interval" : "not judged under ASan");
    return 0;
}
