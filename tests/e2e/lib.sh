# Shared steps of the end-to-end tests: a private Xvfb, the program started
# in it, and its window found by title. Sourced, not run.

fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_start() {
    local program=$1
    for tool in Xvfb xdotool xwininfo; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    XVFB_PID=""
    APP_PID=""
    trap e2e_cleanup EXIT
    # -displayfd lets Xvfb pick a free display number and tell us which.
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    [ -s "$fdfile" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    export QT_QPA_PLATFORM=xcb
    "$program" &
    APP_PID=$!
    WID=""
    for _ in $(seq 200); do
        WID=$(xdotool search --sync --onlyvisible --name '^Quarvel$' 2>/dev/null | head -n1 || true)
        [ -n "$WID" ] && break
        sleep 0.05
    done
    [ -n "$WID" ] || fail "no Quarvel window appeared"
}

e2e_stop() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}

e2e_cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null || true
}
