#!/usr/bin/env bash
# Starts the real program under Xvfb, waits for its "Quarvel" window and
# checks the client area (382 x 438 below the menu bar, scaled at another
# resolution) and the first board.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
e2e_launch

# Two views of the same window: xdotool and xwininfo, then the probe. Qt
# names the window's class after the program, Wine after the program file.
classname='^quarvel$'
[ "${E2E_PLATFORM:-}" != wine ] || classname='^quarvel\.exe$'
wid=$(xdotool search --onlyvisible --classname "$classname" | head -n1)
[ -n "$wid" ] || fail "xdotool finds no window of class $classname"
geometry=$(xwininfo -id "$wid")
width=$(awk '/^  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^  Height:/ {print $2}' <<<"$geometry")
title=$(xdotool getwindowname "$wid")
echo "window $wid \"$title\": ${width}x${height}"
[ "$title" = Quarvel ] || fail "title is \"$title\""
[ "${E2E_PLATFORM:-}" = wine ] || [ "$width" -eq 382 ] || fail "width is $width, not 382"
seen=$(probe window)
echo "probe: $seen"
grep -q "^window 0x$(printf '%x' "$wid") ${width}x$height+" <<<"$seen" || fail "the probe sees another window"
# The client area measured by its background colour: below a menu bar of
# 15 to 40 pixels, 382 x 438 (at E2E_DPI, 96 unless named); the board in it.
probe layout | tee "$E2E_WORK/layout"
menubar=$(awk '/^menu bar/ {print $3}' "$E2E_WORK/layout")
[ "$menubar" -ge 15 ] && [ "$menubar" -le 40 ] || fail "a menu bar of $menubar pixels"
if [ "${E2E_PLATFORM:-}" = wine ]; then
    # Wine draws the frame and the caption inside the X window, so the
    # window is larger than the client area by them: the client area's own
    # size is the layout's, measured above; here it must lie inside the
    # window, below the menu bar.
    read -r cw ch cx cy < <(sed -E 's/.* client ([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\1 \2 \3 \4/' <<<"$seen")
    [ "$cy" -ge "$menubar" ] && [ $((cx + cw)) -lt "$width" ] && [ $((cy + ch)) -lt "$height" ] ||
        fail "the client area ${cw}x$ch+$cx+$cy does not lie inside the frame of ${width}x$height"
else
    # Under Qt with no window manager the window is the menu bar and the
    # client area, to its bottom edge.
    [ $((height - menubar)) -eq 438 ] || fail "the client area is $((height - menubar)) high"
fi

# The board of the first deal: tile i on cell i with its number, (2,2) free.
start=$(e2e_plan_field start)
[ "$start" = "12543678." ] || fail "the first deal reads $start"
if [ "${E2E_DPI:-96}" -eq 96 ]; then
    probe board "$start" >/dev/null
    say "board: $(probe board)"
    # Nothing runs yet.
    [ "$(probe smileys)" -eq 0 ] || fail "smileys shown at start-up"
else
    # The probe reads numbers and smileys where they lie at 96 dpi; at
    # another resolution the layout above found the tiles on their cells.
    say "numbers and smileys are read at 96 dpi only"
fi

probe close
e2e_expect_exit "close"
echo "ok"
