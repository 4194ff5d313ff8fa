# The Windows program under Wine for the end-to-end scripts (E2E_PLATFORM=wine):
# each start goes through wine in the prefix that WINEPREFIX names (made by
# tests/windows/prefix.sh), whose wineserver stops with the test. Sourced by lib.sh.

# e2e_wine_init: checks wine and the prefix; starts go through wine from here on.
e2e_wine_init() {
    command -v wine >/dev/null || skip "wine is not installed (scripts/deps.sh test installs it)"
    command -v wineserver >/dev/null || skip "wineserver is not installed (scripts/deps.sh test installs wine)"
    [ -n "${WINEPREFIX:-}" ] && [ -s "$WINEPREFIX/system.reg" ] ||
        fail "no Wine prefix at ${WINEPREFIX:-(WINEPREFIX unset)}"
    # Quiet, so that anything in app.log is the program's; also keeps back
    # the hint that a 32-bit Wine is missing, which a 64-bit program never
    # needs.
    export WINEDEBUG=-all
    # The wine command execs the Windows process in place: $APP_PID is the
    # program, and its exit code is the program's.
    E2E_WRAPPER=(wine)
    # A start under Wine takes seconds where Qt takes a fraction of one.
    export E2E_TIMEOUT=${E2E_TIMEOUT:-60}
    # A wineserver left by an earlier test in this prefix would serve this
    # one with that test's display; the tests of a prefix run one at a time.
    wineserver -k 2>/dev/null || true
    wineserver -w
}

# e2e_wine_cleanup: ends whatever still runs in the prefix, and its
# wineserver, at once rather than after the server's grace period.
e2e_wine_cleanup() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}
