#!/usr/bin/env bash
# The series that every build plays, the page's too: the table of sequences
# (sequences.txt), then random real input (clicks on the cells, the seams,
# the board's border, the labels, the bare window and the Start button,
# double clicks, hovers, "a" and other letters, Space, Return, Escape, Tab,
# Shift+Tab, Alt+S, the menu's new game, the tip opened and closed, and
# planned wins), made by e2e_series on the game's own Form1. After every
# event the board, the counter, the status line, the hover colours, the
# board's lock and the keyboard focus must be the headless game's. Replay a
# run with SERIES_SEED and SERIES_EVENTS.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
seed=${SERIES_SEED:-20240611}
events=${SERIES_EVENTS:-1000}
"$(dirname "$PLANNER")/e2e_series" --rows "$(dirname "$0")/sequences.txt" \
    --random "$seed" "$events" >"$E2E_WORK/series" || fail "e2e_series failed"
e2e_accessibility
e2e_launch
start=$(date +%s%N)
probe series "$E2E_WORK/series"
echo "seed $seed: $events random events after the table, $((($(date +%s%N) - start) / 1000000)) ms in all"
e2e_alive || fail "the program died during the series"
probe close
e2e_expect_exit "close after the series"
echo "ok"
