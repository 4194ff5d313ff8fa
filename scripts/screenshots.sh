#!/usr/bin/env bash
# Screenshots of the real window under Xvfb for README.md and the metainfo:
# docs/screenshot-game.png (a game three moves in) and
# docs/screenshot-celebration.png (the smileys running after a win).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
program=$BUILD_DIR/quarvel
[ -x "$program" ] || { echo "screenshots: build $program first (make build)" >&2; exit 1; }

missing=()
for pkg in libx11-dev libxtst-dev libxdamage-dev; do
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null)" = installed ] || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo -n); fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
tools=$BUILD_DIR/screenshots
mkdir -p "$tools" docs
g++ -O2 -std=c++20 -o "$tools/probe" scripts/bench/probe.cpp -lX11 -lXdamage -lXtst
# shellcheck disable=SC2046
g++ -O2 -std=c++20 -fPIC -o "$tools/topng" scripts/bench/topng.cpp $(pkg-config --cflags --libs Qt6Gui)

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fdfile"' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
[ -s "$fdfile" ] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$fdfile")" QT_QPA_PLATFORM=xcb

# Positions as in scripts/bench.sh: tile centres 123, 190 and 256 pixels from
# the left, 315, 248 and 182 pixels above the bottom edge. From the first deal
# 1 2 5 / 4 3 6 / 7 8 _, "6" goes down, "3" right and "2" down.
"$tools/probe" click:256,-248 click:190,-248 click:190,-315 shot:"$tools/game.ppm" \
    -- "$program" >/dev/null
# The winning moves of scripts/bench.sh; the last click starts the celebration,
# caught 0.6 s into its 1.72 s.
"$tools/probe" focus click:256,-248 click:256,-182 key:a click:256,-315 key:a click:190,-248 \
    key:a press:256,-182 wait:600 shot:"$tools/celebration.ppm" -- "$program" >/dev/null
"$tools/topng" "$tools/game.ppm" docs/screenshot-game.png
"$tools/topng" "$tools/celebration.ppm" docs/screenshot-celebration.png
echo "screenshots: docs/screenshot-game.png docs/screenshot-celebration.png"
