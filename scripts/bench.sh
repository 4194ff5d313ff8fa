#!/usr/bin/env bash
# Benchmark of Quarvel against a bare Qt 6 window and the sliding puzzles that
# Debian ships: start-up, memory, click latency, idle cost and the celebration,
# measured from outside by scripts/bench/probe.cpp under one private Xvfb.
#   scripts/bench.sh          (make bench; ROUNDS=8 IDLE_SECONDS=10 by default)
set -euo pipefail
cd "$(dirname "$0")/.."

ROUNDS=${ROUNDS:-8}
IDLE_SECONDS=${IDLE_SECONDS:-10}
OUT=${BENCH_DIR:-build-bench}
mkdir -p "$OUT/bench"
OUT=$(cd "$OUT" && pwd)

# Headers for the probe, and the two peers; a peer that cannot be installed
# is left out of the table.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then sudo -n "$@"
    else return 1
    fi
}
installed() { [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]; }
want=()
for pkg in libx11-dev libxtst-dev libxdamage-dev sgt-puzzles gnome-taquin; do
    installed "$pkg" || want+=("$pkg")
done
if [ ${#want[@]} -gt 0 ]; then
    echo "bench: installing ${want[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq >/dev/null 2>&1 || true
    for pkg in "${want[@]}"; do
        as_root apt-get install -y -qq --no-install-recommends "$pkg" >/dev/null 2>&1 ||
            echo "bench: could not install $pkg"
    done
fi
for pkg in libx11-dev libxtst-dev libxdamage-dev; do
    installed "$pkg" || { echo "bench: $pkg is needed to build the probe" >&2; exit 1; }
done

# A release build of the game, the probe and the bare window.
cmake -S . -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$OUT" --target quarvel >/dev/null
g++ -O2 -std=c++20 -o "$OUT/bench/probe" scripts/bench/probe.cpp -lX11 -lXdamage -lXtst
# shellcheck disable=SC2046
g++ -O2 -std=c++20 -fPIC -o "$OUT/bench/bare" scripts/bench/bare.cpp \
    $(pkg-config --cflags --libs Qt6Widgets)

# One X server for every run. Session-bus look-ups fail at once for every
# program alike; GSettings keeps the peers' settings in memory. When allowed,
# the X server, the probe and the programs run at a real-time priority, all
# alike, so that builds running beside the bench do not blur the times.
rt=()
if chrt -f 20 true 2>/dev/null; then rt=(chrt -f 20); fi
fdfile=$(mktemp)
"${rt[@]}" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
[ -s "$fdfile" ] || { echo "bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$fdfile")"
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER XDG_CURRENT_DESKTOP
export GSETTINGS_BACKEND=memory XDG_RUNTIME_DIR="$OUT/bench/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# The programs with the probe's actions for each. Quarvel's tiles are 67
# pixels apart; their centres lie 123, 190 and 256 pixels from the left of
# the client area and 315, 248 and 182 pixels above its bottom edge. The first
# deal reads 1 2 5 / 4 3 6 / 7 8 with the bottom-right cell free: "6" moves
# down for the click; it goes back, then three jumps armed by the "a" key
# (5 to the corner, 3 to the top right, 5 to the centre) win the game.
# Every window takes the keyboard focus before its click, as under a window
# manager, so the click moves the focus in each: in the bare window the
# focus sits on button 1 and the click goes to button 6.
idle="idle:$IDLE_SECONDS mem focus"
programs=(quarvel bare)
declare -A actions command
command[quarvel]="$OUT/quarvel"
actions[quarvel]="$idle latency:256,-248 click:256,-182 key:a click:256,-315 key:a
                  click:190,-248 key:a celebrate:256,-182"
command[bare]="$OUT/bench/bare"
actions[bare]="$idle latency:135,67"
if [ -x /usr/games/sgt-fifteen ]; then
    programs+=(sgt-fifteen)
    command[sgt-fifteen]=/usr/games/sgt-fifteen
    actions[sgt-fifteen]="$idle gap:24,48,217,242,4"
fi
if [ -x /usr/games/gnome-taquin ]; then
    programs+=(gnome-taquin)
    command[gnome-taquin]=/usr/games/gnome-taquin
    actions[gnome-taquin]="$idle gap:93,96,456,459,4"
fi

# Interleaved rounds; round 0 warms the caches and is not counted. A Qt
# program that follows the other one finds the libraries they share warm:
# in a fixed order the bare window, always right after Quarvel, started
# 5 ms sooner than after gnome-taquin. So the two trade places every round,
# and over an even number of rounds each comes first after the GTK programs
# as often as the other.
results="$OUT/bench/results.txt"
: >"$results"
for round in $(seq 0 "$ROUNDS"); do
    echo "bench: round $round of $ROUNDS" >&2
    order=("${programs[@]}")
    if [ $((round % 2)) -eq 0 ]; then
        order[0]=${programs[1]}
        order[1]=${programs[0]}
    fi
    for p in "${order[@]}"; do
        # shellcheck disable=SC2086
        if ! out=$("${rt[@]}" "$OUT/bench/probe" ${actions[$p]} -- ${command[$p]} 2>>"$OUT/bench/$p.log"); then
            echo "bench: $p failed in round $round (see $OUT/bench/$p.log)" >&2
        fi
        [ "$round" -eq 0 ] && continue
        while IFS='=' read -r key value; do
            echo "$p $key $value" >>"$results"
        done <<<"$out"
    done
done

# One table: medians with min-max, and each program's median over the bare
# window's.
table="$OUT/bench/table.md"
{
    echo "Measured $(date -u +%Y-%m-%d) on $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')," \
        "$(nproc) cores, Debian $(cat /etc/debian_version), Qt $(pkg-config --modversion Qt6Core)," \
        "Xvfb 1024x768x24${rt:+ at real-time priority}; median (min–max) of $ROUNDS rounds" \
        "after a warm-up, × the bare Qt window's median; idle span $IDLE_SECONDS s."
    echo
    printf '| |'
    for p in "${programs[@]}"; do printf ' %s |' "$p"; done
    echo
    printf '|---|'
    for _ in "${programs[@]}"; do printf -- '---|'; done
    echo
    while IFS='|' read -r key label scale format; do
        printf '| %s |' "$label"
        base=$(awk -v p=bare -v k="$key" '$1==p && $2==k && $3!="nan" {print $3}' "$results" |
            sort -g | awk '{a[NR]=$1} END {if (NR) print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}')
        for p in "${programs[@]}"; do
            awk -v p="$p" -v k="$key" '$1==p && $2==k && $3!="nan" {print $3}' "$results" |
                sort -g | awk -v s="$scale" -v f="$format" -v base="$base" '
                    {a[NR]=$1}
                    END {
                        if (!NR) { printf " – |"; exit }
                        m = NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2
                        printf " " f " (" f "–" f ")", m/s, a[1]/s, a[NR]/s
                        if (base != "" && base > 0) printf " ×%.2f", m/base
                        printf " |"
                    }'
        done
        echo
    done <<'ROWS'
map_ms|window mapped, ms|1|%.1f
paint_ms|first paint, ms|1|%.1f
rss_kb|RSS idle, MiB|1024|%.1f
pss_kb|PSS idle, MiB|1024|%.1f
uss_kb|USS idle, MiB|1024|%.2f
dirty_kb|private dirty idle, MiB|1024|%.2f
click_ms|click to screen change, ms|1|%.2f
idle_cpu_ms|CPU over idle, ms|1|%.0f
idle_wakeups|wake-ups over idle|1|%.0f
idle_repaints|repaints over idle|1|%.0f
celebration_ms|celebration, ms|1|%.0f
ROWS
} >"$table"
cat "$table"
