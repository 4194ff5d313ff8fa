#!/usr/bin/env bash
# Starts the real program under Xvfb, waits for its "Quarvel" window and
# checks the client area (382 x 438 below the menu bar) and the first board.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_launch

# Two views of the same window: xdotool and xwininfo, then the probe.
wid=$(xdotool search --onlyvisible --classname '^quarvel$' | head -n1)
[ -n "$wid" ] || fail "xdotool finds no quarvel window"
geometry=$(xwininfo -id "$wid")
width=$(awk '/^  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^  Height:/ {print $2}' <<<"$geometry")
title=$(xdotool getwindowname "$wid")
echo "window $wid \"$title\": ${width}x${height}"
[ "$title" = Quarvel ] || fail "title is \"$title\""
[ "$width" -eq 382 ] || fail "width is $width, not 382"
seen=$(probe window)
echo "probe: $seen"
grep -q "^window 0x$(printf '%x' "$wid") 382x$height+" <<<"$seen" || fail "the probe sees another window"
# The client area measured by its background colour: below a menu bar of
# 15 to 40 pixels, 382 x 438 to the window's bottom; the board in it.
probe layout | tee "$E2E_WORK/layout"
menubar=$(awk '/^menu bar/ {print $3}' "$E2E_WORK/layout")
[ "$menubar" -ge 15 ] && [ "$menubar" -le 40 ] || fail "a menu bar of $menubar pixels"
[ $((height - menubar)) -eq 438 ] || fail "the client area is $((height - menubar)) high"

# The board of the first deal: tile i on cell i with its number, (2,2) free.
start=$(e2e_plan_field start)
[ "$start" = "12543678." ] || fail "the first deal reads $start"
probe board "$start" >/dev/null
say "board: $(probe board)"
# Nothing runs yet.
[ "$(probe smileys)" -eq 0 ] || fail "smileys shown at start-up"

probe close
e2e_expect_exit "close"
echo "ok"
