#!/usr/bin/env bash
# Runs the real program natively on Wayland, in a private headless weston,
# and checks from the compositor's screenshot that the client area below the
# menu bar is 382 x 438 of the Highlight colour, with the board and the eight
# tiles where the layout puts them.
#   wayland.sh PROGRAM SHOT    (SHOT: e2e_shot, which reads the screenshot)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
PROGRAM=$1 SHOT=$2
for tool in weston weston-screenshooter weston-debug; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps.sh test installs weston)"
done
[ -x "$PROGRAM" ] || fail "no program at $PROGRAM"
[ -x "$SHOT" ] || fail "no screenshot reader at $SHOT"
e2e_session
# Qt's Wayland plugin on its defaults: xdg-shell, decorations drawn by Qt.
unset DISPLAY QT_WAYLAND_SHELL_INTEGRATION QT_WAYLAND_DISABLE_WINDOWDECORATION QT_WAYLAND_DECORATION
export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=quarvel-e2e

# The headless backend draws nothing unless given a renderer: pixman, into
# one 1024 x 768 output. --debug lets clients take screenshots and read the
# scene graph. The desktop shell shows a window at its own size (the kiosk
# shell would make it fullscreen) and keeps it clear of its panel; its
# start-up fade from black, left on, would darken an early screenshot. No
# fading out when idle either.
cat >"$E2E_WORK/weston.ini" <<'INI'
[shell]
startup-animation=none
animation=none
close-animation=none
INI
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
    --shell=desktop-shell.so --debug --config="$E2E_WORK/weston.ini" --idle-time=0 \
    --socket="$WAYLAND_DISPLAY" >"$E2E_WORK/weston.log" 2>&1 &
SERVER_PID=$!
# Up once a client gets an answer on the socket.
up=""
for _ in $(seq 400); do
    weston-debug scene-graph >/dev/null 2>&1 && up=yes && break
    kill -0 "$SERVER_PID" 2>/dev/null || { cat "$E2E_WORK/weston.log" >&2; fail "weston died"; }
    sleep 0.05
done
[ -n "$up" ] || { cat "$E2E_WORK/weston.log" >&2; fail "weston's socket did not come up"; }
say "$(weston --version) on $WAYLAND_DISPLAY"

# The window is up once the scene graph holds the program's top-level
# "Quarvel": the shell maps it with its first frame. Its surface's box on
# the screen, decorations included, tells e2e_shot where to look.
"$PROGRAM" >"$E2E_WORK/app.log" 2>&1 &
APP_PID=$!
window=""
for _ in $(seq 600); do
    window=$(weston-debug scene-graph 2>/dev/null | awk -v pid="$APP_PID" '
        /role xdg_toplevel/ && index($0, "PID " pid ",") && /top-level window .Quarvel./ { found = 1; next }
        found && /position:/ { gsub(/[(),]|->/, " "); print $2, $3, $4, $5; exit }') || true
    [ -n "$window" ] && break
    e2e_alive || { cat "$E2E_WORK/app.log" >&2; fail "the program ended before its window showed"; }
    sleep 0.05
done
[ -n "$window" ] || { cat "$E2E_WORK/app.log" >&2; fail "no Quarvel window within 30 s"; }

mkdir "$E2E_WORK/shots"
(cd "$E2E_WORK/shots" && weston-screenshooter) || fail "weston-screenshooter failed"
shot=$(find "$E2E_WORK/shots" -name '*.png' | head -n1)
[ -n "$shot" ] || fail "weston-screenshooter wrote no PNG"
# shellcheck disable=SC2086 # four numbers
if ! "$SHOT" "$shot" $window >"$E2E_WORK/reading.txt" 2>&1; then
    cat "$E2E_WORK/reading.txt"
    mkdir -p "$E2E_FAILURE_DIR"
    cp "$shot" "$E2E_FAILURE_DIR/screen.png"
    cp "$E2E_WORK/reading.txt" "$E2E_WORK/app.log" "$E2E_FAILURE_DIR/"
    fail "the window is not as laid out (the screenshot and e2e_shot's reading: $E2E_FAILURE_DIR)"
fi
cat "$E2E_WORK/reading.txt"
e2e_alive || { cat "$E2E_WORK/app.log" >&2; fail "the program ended"; }
if grep -q . "$E2E_WORK/app.log"; then
    echo "program output:"
    cat "$E2E_WORK/app.log"
fi
echo "ok"
