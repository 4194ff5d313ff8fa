#!/usr/bin/env bash
# A monkey: a few thousand random real clicks, key presses (letters with a
# and A, space, Tab, Return, Escape) and mouse moves, as fast as the game
# takes them, with two planned wins mixed in. The game's own Form1 runs
# headless beside it on the same input, and every 50 events the real board
# must read exactly as the twin's. Never the Exit button, Alt or the menus.
# Replay a run with MONKEY_SEED=<seed printed below> (and MONKEY_EVENTS).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
seed=${MONKEY_SEED:-20240611}
events=${MONKEY_EVENTS:-6000}
e2e_launch
start=$(date +%s%N)
probe monkey "$seed" "$events"
echo "monkey run took $((($(date +%s%N) - start) / 1000000)) ms in all"
e2e_alive || fail "the program died under the monkey"
# Nothing but the board window is up (no tip box, no menu).
probe wait-toplevel Shortcut gone
probe close
e2e_expect_exit "close after the monkey"
echo "ok"
