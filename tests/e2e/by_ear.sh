#!/usr/bin/env bash
# A whole game played by ear with keys alone (heard.txt): after every key,
# what a screen reader says must be that key's words, the same on every
# build. Orca reads the Linux window, or the page in Firefox or Chromium;
# under Wine, win_reader hears the Windows program as NVDA would.
#   by_ear.sh qt PROGRAM PROBE PLANNER
#   by_ear.sh firefox|chromium BROWSER PROBE PLANNER SITE
#   by_ear.sh wine QUARVEL_EXE PROBE PLANNER       (E2E_PLATFORM=wine)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
build=$1 site=${5:-}
e2e_init "$2" "$3" "$4"
heard=$E2E_WORK/heard EAR_PIDS=()
export HOME=$E2E_WORK # Orca's and the browsers' settings: a new user's
: >"$heard"
# A failure leaves what was heard and the logs beside the screen.
by_ear_cleanup() {
    set +e
    if [ "$1" -ne 0 ] && [ "$1" -ne 77 ]; then
        E2E_TIMEOUT=2 "$PROBE" dump "${FAILED_WHY:-}" >/dev/null 2>&1
        mkdir -p "$E2E_FAILURE_DIR" && cp "$heard" "$E2E_WORK"/*.log "$E2E_FAILURE_DIR/"
    fi
    # Gone before the next test: Orca runs once for a user.
    kill -9 "${EAR_PIDS[@]}" 2>/dev/null
    for pid in "${EAR_PIDS[@]}"; do while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done; done
    e2e_cleanup "$1"
}
trap 'by_ear_cleanup $?' EXIT
started() { EAR_PIDS+=("$1") && disown "$1"; }
# until_heard WORDS: waits until WORDS are said.
until_heard() {
    for _ in $(seq $((${E2E_TIMEOUT:-30} * 20))); do grep -qF -- "$1" "$heard" && return || sleep 0.05; done
    fail "never heard \"$1\""
}

if [ "$build" = wine ]; then
    e2e_launch
    wine "${E2E_WIN_READER:?}" hear >"$heard" 2>"$E2E_WORK/reader.log" &
    started $!
else
    command -v orca >/dev/null || skip "orca is not installed (scripts/deps.sh test installs it)"
    ! pgrep -u "$(id -u)" -x orca >/dev/null || skip "an Orca runs for this user already, and one only may"
    e2e_accessibility
    # What a screen reader that runs tells every program.
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
        string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
    if [ "$build" != qt ]; then
        node "$here/../../scripts/serve.mjs" "$site" 0 >"$E2E_WORK/serve.log" 2>&1 &
        started $!
        e2e_await -s "$E2E_WORK/serve.log" "$!" "$E2E_WORK/serve.log" "the page's server"
        url=$(grep -o 'http://[^ ]*' "$E2E_WORK/serve.log")
    fi
    case $build in
    qt) e2e_launch ;;
    firefox)
        # A new profile that opens no first-run page.
        mkdir -p "$HOME/ff" && printf 'user_pref("%s", %s);\n' browser.aboutwelcome.enabled false \
            browser.startup.page 0 browser.startup.homepage_override.mstone '"ignore"' \
            browser.newtabpage.enabled false datareporting.policy.dataSubmissionEnabled false \
            toolkit.telemetry.reportingpolicy.firstRun false >"$HOME/ff/user.js"
        GNOME_ACCESSIBILITY=1 "$PROGRAM" --no-remote --profile "$HOME/ff" --kiosk "$url" >"$E2E_WORK/app.log" 2>&1 & ;;
    chromium)
        "$PROGRAM" --no-sandbox --user-data-dir="$HOME/chromium" --force-renderer-accessibility --no-first-run \
            --disable-background-networking --disable-component-update --app="$url" >"$E2E_WORK/app.log" 2>&1 & ;;
    esac
    [ "$build" = qt ] || APP_PID=$!
    /usr/bin/python3 "$here/ear.py" orca "$heard" --disable key-echo >"$E2E_WORK/orca.log" 2>&1 &
    started $!
fi

# A browser's window given the keyboard, as a window manager would (the
# game's own windows have it already), and the first board heard with the
# focus: the game takes keys.
board='1 2 5, 4 3 6, 7 8 empty'
if [ -n "$site" ]; then
    wid=$(timeout "${E2E_TIMEOUT:-30}" xdotool search --sync --onlyvisible --name '^Quarvel( .* Mozilla Firefox)?$' | head -n1) ||
        fail "no Quarvel window"
    xdotool windowfocus --sync "$wid"
fi
if [ "$build" = wine ]; then
    until_heard "$board"
else
    until_heard "$board panel."
    /usr/bin/python3 "$here/ear.py" focus "$board" "${E2E_TIMEOUT:-30}" || fail "the board never had the focus"
fi
# In a page Orca reads with the keys until the player enters the game's
# application with Orca+A: from there on the game has them.
if [ "$build" = firefox ] || [ "$build" = chromium ]; then
    xdotool key Insert+a
    until_heard 'Focus mode'
fi
/usr/bin/python3 "$here/ear.py" play "$build" "$heard" "$here/heard.txt" || fail "what was heard differs"
echo "ok"
