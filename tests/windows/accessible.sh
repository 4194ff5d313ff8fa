#!/usr/bin/env bash
# What a screen reader's API reads from the Windows program under Wine:
# win_reader asks Active Accessibility for the object of the window and of
# every control in it, and each reads the name that the game gives it on
# Linux too: the tiles their numbers and places, the board its rows, the
# smileys their picture; the board is a grouping and the smileys graphics,
# as there; the live region last says what the last event announced. Wine's
# standard object gives every other window the client role, where Windows's
# says push button or text. After a move the board and the counter read anew.
#   accessible.sh QUARVEL_EXE PROBE PLANNER WIN_READER
set -euo pipefail
. "$(dirname "$0")/../e2e/lib.sh"
reader=$4
e2e_init "$1" "$2" "$3"
[ -f "$reader" ] || fail "no reader at $reader (make windows builds it)"
# "1 2 5, 4 3 6, 7 8 empty" for the board 125436.78 (reading order, . free).
rows() { sed -E 's/./& /g; s/\./empty/; s/^(.{5}) (.{5}) (.*) $/\1, \2, \3/' <<<"$1"; }
# "1, row 1, column 1" and so on, a tile a line, for the same board.
tiles() { for i in $(seq 0 8); do [ "${1:i:1}" = . ] || echo "${1:i:1}, row $((i / 3 + 1)), column $((i % 3 + 1))"; done; }
# expect BOARD CLICKS HEARD: every line that win_reader prints, in any order;
# HEARD is what the live region said last.
expect() {
    local board=$1 clicks=$2 heard=$3
    wine "$reader" | tr -d '\r' | sort >"$E2E_WORK/read" || { cat "$E2E_WORK/read"; fail "win_reader failed"; }
    sort >"$E2E_WORK/want" <<TABLE
client	Quarvel
client	Arrange the numbers from 1 to 8
grouping	$(rows "$board")
$(tiles "$board" | sed 's/^/client\t/')
client	Total Clicks:
client	$clicks
client	Start the game again
client	Exit the game
graphic	smiley
graphic	smiley
graphic	smiley
graphic	smiley
client	$heard
TABLE
    diff "$E2E_WORK/want" "$E2E_WORK/read" || fail "the names read (>) are not the game's (<)"
    sed 's/^/  /' "$E2E_WORK/read"
}

e2e_launch
start=$(e2e_plan_field start)
say "the first deal"
expect "$start" 0 "(no name)"
say "after a move: the tile left of the free cell slides right"
probe click-cell 7
probe board "${start:0:7}.${start:7:1}" >/dev/null
expect "${start:0:7}.${start:7:1}" 1 "Total Clicks: 1"
probe close
e2e_expect_exit "close"
echo "ok"
