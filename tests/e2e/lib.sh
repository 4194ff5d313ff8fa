# Shared steps of the end-to-end tests: a private Xvfb per test, the program
# started (and restarted) in it, the probe and planner, and exit-code checks.
# Sourced by the test scripts, which get: program probe planner (wayland.sh
# uses only the session and its clean-up).

. "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

fail() {
    echo "FAIL: $*" >&2
    FAILED_WHY=$*
    exit 1
}
skip() { echo "SKIP: $*"; exit 77; }
say() { echo "--- $*"; }

# e2e_init PROGRAM PROBE PLANNER: checks the tools, starts Xvfb.
# E2E_PLATFORM=wine runs a Windows PROGRAM under Wine (wine.sh).
e2e_init() {
    PROGRAM=$1 PROBE=$2 PLANNER=$3
    for tool in Xvfb xdotool xwininfo; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps.sh test installs it)"
    done
    [ "${E2E_PLATFORM:-}" != wine ] || e2e_wine_init
    [ -x "$PROGRAM" ] || fail "no program at $PROGRAM"
    [ -x "$PROBE" ] || fail "no probe at $PROBE: install libx11-dev libxtst-dev and reconfigure"
    [ -x "$PLANNER" ] || fail "no planner at $PLANNER"
    e2e_session
    export QT_QPA_PLATFORM=xcb
    # -displayfd: Xvfb picks a free display number and writes it once it is
    # ready, so tests running side by side never share a server. E2E_SCREEN
    # names a larger screen for a window laid out at a high resolution.
    local fdfile="$E2E_WORK/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$fdfile" 2>"$E2E_WORK/xvfb.log" &
    SERVER_PID=$!
    e2e_await -s "$fdfile" "$SERVER_PID" "$E2E_WORK/xvfb.log" Xvfb
    export DISPLAY=":$(head -n1 "$fdfile")"
    say "Xvfb on $DISPLAY"
}

# e2e_await TEST PATH PID LOG NAME: waits up to 20 s until `[ TEST PATH ]`
# holds, the sign that the server NAME started as PID is ready; fails with
# its LOG when it dies first.
e2e_await() {
    local test=$1 path=$2 pid=$3 log=$4 name=$5 i
    for i in $(seq 400); do
        [ "$test" "$path" ] && return 0
        kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "$name died"; }
        sleep 0.05
    done
    fail "$name did not start"
}

# e2e_session: a scratch directory removed on exit with the display server
# and the program, a private runtime directory, and an environment that no
# desktop session reaches.
e2e_session() {
    SERVER_PID="" APP_PID="" BUS_PID="" FAILED_WHY=""
    E2E_WORK=$(mktemp -d)
    trap e2e_cleanup EXIT
    # Where a failure leaves its screenshot and the probe's reading: a folder
    # per run under E2E_FAILURES (CTest names one in the build tree).
    export E2E_FAILURE_DIR="${E2E_FAILURES:-$PWD/e2e-failures}/$(date +%Y%m%d-%H%M%S)-$$"
    export E2E_GLYPHS="$E2E_WORK/glyphs"
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # A session bus that is not there. With none named at all, Qt's
    # accessibility bridge has libdbus fork a bus launcher from the starting
    # program; under the sanitizers that fork, racing the start-up threads,
    # now and then hung the program before its window showed.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_WORK/no-session-bus"
    # Never let a desktop session's settings reach the program: a desktop
    # named here would bring its own platform theme and palette.
    unset SESSION_MANAGER QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
        QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION \
        GNOME_DESKTOP_SESSION_ID
}

probe() { "$PROBE" "$@"; }

# e2e_session_bus: a private session bus, as on a desktop, for the program
# and the probe; it ends with the test.
e2e_session_bus() {
    command -v dbus-daemon >/dev/null || skip "dbus-daemon is not installed (scripts/deps.sh test installs it)"
    dbus-daemon --session --address="unix:path=$E2E_WORK/bus" --nofork --nopidfile \
        >"$E2E_WORK/bus.log" 2>&1 &
    BUS_PID=$!
    e2e_await -S "$E2E_WORK/bus" "$BUS_PID" "$E2E_WORK/bus.log" "the session bus"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_WORK/bus"
}

# e2e_accessibility: what a screen reader has on a desktop, for the probe to
# read the controls with: for the Qt build, the accessibility bus on a
# private session bus and Qt's bridge switched on. The Windows program's
# reader asks its windows and needs none of it.
e2e_accessibility() {
    [ "${E2E_PLATFORM:-}" != wine ] || return 0
    [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed (scripts/deps.sh test installs it)"
    e2e_session_bus
    # The first request for its address starts the accessibility bus.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null || fail "the accessibility bus did not start"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# Starts the program and waits for its window; the board then shows the
# first deal, whose numbers the probe learns once per test. A script may
# name a command to start the program under in the array E2E_WRAPPER.
e2e_launch() {
    [ -z "$APP_PID" ] || fail "the program is already running"
    # The pointer waits in the screen's far corner, away from where the
    # window opens, so that no control sees it before the test moves it.
    local width height
    read -r width height < <(xdotool getdisplaygeometry)
    xdotool mousemove --sync $((width - 1)) $((height - 1))
    "${E2E_WRAPPER[@]}" "$PROGRAM" >"$E2E_WORK/app.log" 2>&1 &
    APP_PID=$!
    probe window >/dev/null || { cat "$E2E_WORK/app.log" >&2; fail "no window"; }
    # The probe reads numbers where they lie at 96 dpi only (E2E_DPI).
    if [ ! -s "$E2E_GLYPHS" ] && [ "${E2E_DPI:-96}" -eq 96 ]; then
        probe learn "$(e2e_plan_field start)" || fail "cannot learn the numbers"
    fi
}

# The planner's output, made once per test.
e2e_plan_file() {
    [ -s "$E2E_WORK/plan" ] || "$PLANNER" >"$E2E_WORK/plan" || fail "the planner failed"
    echo "$E2E_WORK/plan"
}
e2e_plan_field() { awk -v k="$1" '$1 == k {print $2}' "$(e2e_plan_file)"; }

e2e_alive() { [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; }

# e2e_expect_exit WHAT: the program must end by itself within the time
# limit and with exit code 0.
e2e_expect_exit() {
    local what=$1 i rc
    for i in $(seq 600); do
        e2e_alive || break
        sleep 0.05
    done
    e2e_alive && fail "$what: the program is still running"
    wait "$APP_PID" && rc=0 || rc=$?
    APP_PID=""
    if [ "$rc" -ne 0 ]; then
        cat "$E2E_WORK/app.log" >&2
        fail "$what: exit code $rc"
    fi
    if grep -q . "$E2E_WORK/app.log" && grep -v -e '^QStandardPaths' "$E2E_WORK/app.log" | grep -q .; then
        echo "program output:"; cat "$E2E_WORK/app.log"
    fi
    say "$what: exit code 0"
}

# e2e_cleanup [RC]: RC is the script's exit status, $? when not given.
e2e_cleanup() {
    local rc=${1:-$?}
    # A failure that no probe step left behind (a script's own check) gets
    # the same: the screen as it is now and a fresh reading of the board.
    if [ "$rc" -ne 0 ] && [ "$rc" -ne 77 ] && [ -n "${DISPLAY:-}" ] && [ -x "${PROBE:-}" ]; then
        [ -d "$E2E_FAILURE_DIR" ] ||
            E2E_TIMEOUT=2 "$PROBE" dump "${FAILED_WHY:-the script failed with exit code $rc}" 2>&1 |
            grep -v '^FAIL: ' >&2 || true
        [ ! -d "$E2E_FAILURE_DIR" ] || cp "$E2E_WORK/app.log" "$E2E_FAILURE_DIR/" 2>/dev/null || true
    fi
    if [ -n "$APP_PID" ]; then
        kill "$APP_PID" 2>/dev/null || true
        wait "$APP_PID" 2>/dev/null || true
    fi
    [ "${E2E_PLATFORM:-}" != wine ] || e2e_wine_cleanup
    if [ -n "$BUS_PID" ]; then
        kill "$BUS_PID" 2>/dev/null || true
        wait "$BUS_PID" 2>/dev/null || true
    fi
    if [ -n "$SERVER_PID" ]; then
        kill "$SERVER_PID" 2>/dev/null || true
        wait "$SERVER_PID" 2>/dev/null || true
    fi
    rm -rf "$E2E_WORK"
}
