#!/usr/bin/env bash
# Starts the real program under Xvfb, waits for its "Quarvel" window and
# checks the size of its client area.
set -euo pipefail
here=$(dirname "$0")
. "$here/lib.sh"
e2e_start "$1"
# The client area is 382 x 438 logical pixels below the menu bar.
geometry=$(xwininfo -id "$WID")
width=$(awk '/^  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^  Height:/ {print $2}' <<<"$geometry")
echo "window $WID: ${width}x${height}"
[ "$width" -eq 382 ] || fail "width is $width, not 382"
[ "$height" -gt 438 ] && [ "$height" -lt 480 ] || fail "height $height is not 438 plus a menu bar"
e2e_stop
echo "ok"
