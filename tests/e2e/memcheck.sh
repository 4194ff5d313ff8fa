#!/usr/bin/env bash
# A short game under valgrind's memcheck: moves to a win and its whole
# celebration, a new game and a move in it, the tip box opened and closed,
# then Alt+E. Any memory error, and any byte definitely or indirectly lost at
# exit, fails the test, except what tests/memcheck.supp lists. The program
# talks to a private session bus, as on a desktop, so that Qt's
# accessibility bridge connects to it as it does there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
command -v valgrind >/dev/null || skip "valgrind is not installed (scripts/deps.sh test installs it)"
e2e_init "$@"
plan=$(e2e_plan_file)
second=$(e2e_plan_field newgame | sed -n 1p)

e2e_session_bus

# Everything runs some twenty times slower under valgrind: the probe waits
# longer, and the celebration is timed by the clock of a slowed program.
export E2E_TIMEOUT=90 E2E_CELEBRATION_MAX=60
# valgrind's report goes to the program's log, which e2e_expect_exit shows
# when the exit code is not 0; 99 is valgrind's, for an error or a leak.
# shellcheck disable=SC2034,SC2054 # e2e_launch reads it; valgrind's lists take commas
E2E_WRAPPER=(valgrind --error-exitcode=99 --leak-check=full
    --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect
    --suppressions="$here/../memcheck.supp" --num-callers=40)
start=$SECONDS

say "a game to the win and its celebration"
e2e_launch
probe play "$plan"

say "Alt+S: a new game, and a move in it"
probe key alt+s
probe board "$second" >/dev/null
probe click-cell 7
probe board "${second:0:7}.${second:7:1}" >/dev/null

say "the tip box, opened and closed"
probe key alt+t c
probe wait-toplevel Shortcut focused
probe key Return
probe wait-toplevel Shortcut gone

say "Alt+E"
probe key alt+e
e2e_expect_exit "Alt+E under memcheck"
# A run that valgrind never saw would end with 0 all the same.
grep -q 'ERROR SUMMARY: 0 errors' "$E2E_WORK/app.log" || fail "no report from memcheck"
say "$((SECONDS - start)) s under memcheck"
echo "ok"
