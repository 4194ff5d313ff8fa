#!/usr/bin/env bash
# A whole game from the first deal to the win with real clicks and the "a"
# jumps the planner needs, checking the board after every click; then the
# celebration: the smileys show, run and hide, timed from the winning click
# (at least 1.70 s, at most 3 s); then the board stays locked.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
plan=$(e2e_plan_file)
grep -v '^#' "$plan" | head -n 3
echo "... $(grep -c -E '^(move|jump)' "$plan") clicks in all"
e2e_launch
probe play "$plan"
e2e_alive || fail "the program died"
probe close
e2e_expect_exit "close after the win"
echo "ok"
