#!/usr/bin/env bash
# The hidden shortcut with real keys: Tab takes the focus from the board to
# tile 0, "a" arms the jump, and a click on the far tile 0 at (0,0) moves it
# into the free cell (2,2). Without "a" the same click moves nothing.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_launch
start=$(e2e_plan_field start)

# Unarmed: tile 0 is not next to the free cell.
probe click-cell 0
probe barrier
[ "$(probe board)" = "$start" ] || fail "an unarmed click on a far tile moved it: $(probe board)"

# "A" (upper case) does not arm it either.
probe key A
probe click-cell 0
probe barrier
[ "$(probe board)" = "$start" ] || fail "\"A\" armed the shortcut: $(probe board)"

# The focus is on tile 0 now (it was clicked); "a" then a click jumps it.
probe key a
probe click-cell 0
jumped=".${start:1:7}${start:0:1}"
probe board "$jumped" >/dev/null || fail "tile 0 did not jump into (2,2)"
say "after a + click on (0,0): $(probe board)"

# The shortcut lasts one click: tile at (2,2) is far from the free (0,0).
probe click-cell 8
probe barrier
[ "$(probe board)" = "$jumped" ] || fail "the shortcut outlived its click: $(probe board)"

# From a fresh start, the way the shortcut is meant to be found: Tab from
# the board to tile 0, then "a", then the click.
probe close
e2e_expect_exit "close"
e2e_launch
probe key Tab a
probe click-cell 0
probe board "$jumped" >/dev/null || fail "Tab, a and a click did not jump tile 0"
say "after Tab, a, click on (0,0): $(probe board)"
probe close
e2e_expect_exit "close"
echo "ok"
