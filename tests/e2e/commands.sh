#!/usr/bin/env bash
# The commands around a game, from the keyboard as a player gives them:
# Alt+S and Game > Start a new game deal the next game on the start layout
# with the counter and status line reset; Alt+E, Game > Exit and closing the
# window (WM_DELETE_WINDOW, as a window manager sends it) end the program
# with exit code 0.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
plan=$(e2e_plan_file)
start=$(e2e_plan_field start)
second=$(e2e_plan_field newgame | sed -n 1p)
third=$(e2e_plan_field newgame | sed -n 2p)
# Label1 (status line) and Label3 (counter) as client rectangles.
status() { probe region 24 24 345 41; }
counter() { probe region 216 328 49 25; }

e2e_launch
status0=$(status) counter0=$(counter)
# Three moves of the plan: the counter reads 3.
for step in 1 2 3; do
    read -r _ _ cell after < <(grep -E '^(move|jump)' "$plan" | sed -n "${step}p")
    probe click-cell "$cell"
    probe board "$after" >/dev/null
done
probe barrier
[ "$(counter)" != "$counter0" ] || fail "the counter did not change after three moves"

say "Alt+S: new game"
probe key alt+s
probe board "$second" >/dev/null || fail "Alt+S did not deal the next game"
probe barrier
[ "$(counter)" = "$counter0" ] || fail "Alt+S left the counter as it was"
[ "$(status)" = "$status0" ] || fail "Alt+S changed the status line"
# The board takes clicks: the tile left of the free cell moves into it.
probe click-cell 7
probe board "${second:0:6}${second:6:1}.${second:7:1}" >/dev/null ||
    fail "the new game does not take clicks"

say "Game > Start a new game"
probe key alt+g s
probe board "$third" >/dev/null || fail "the menu did not deal the next game"
probe barrier
[ "$(counter)" = "$counter0" ] || fail "the menu left the counter as it was"

say "Alt+S after a win unlocks the board; an \"a\" typed on the locked board armed nothing"
probe close
e2e_expect_exit "close"
e2e_launch
E2E_CELEBRATION_MAX=60 probe play "$plan" shown >/dev/null
# The tile clicked last may still hold the focus inside the disabled board.
probe key a
probe key alt+s
probe board "$second" >/dev/null || fail "Alt+S after a win did not deal the next game"
# Cell 0 lies far from the free cell 8: only an armed shortcut would move it.
probe click-cell 0
probe barrier
[ "$(probe board)" = "$second" ] || fail "a click far from the free cell moved a tile: $(probe board)"
probe click-cell 5
probe board "${second:0:5}.${second:6:2}${second:5:1}" >/dev/null ||
    fail "the board stayed locked after a new game"
probe wait-smileys 0
probe barrier
[ "$(status)" = "$status0" ] || fail "the status line is not back after the new game"

say "Alt+E"
probe key alt+e
e2e_expect_exit "Alt+E"

say "Game > Exit"
e2e_launch
probe key alt+g
probe key e
e2e_expect_exit "Game > Exit"

say "Exit the game, clicked"
e2e_launch
probe click 276 392
e2e_expect_exit "a click on Exit the game"

say "closing the window"
e2e_launch
probe click-cell 7
probe close
e2e_expect_exit "WM_DELETE_WINDOW"
echo "ok"
