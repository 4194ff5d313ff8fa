#!/usr/bin/env bash
# Leaving from every state ends the program cleanly with exit code 0: during
# the celebration (window closed, Alt+E, Game > Exit), right after a win, and
# with the tip box open. The tip box holds back the window's input, yet
# closing the window still ends the program, box and all; on Windows the
# window takes no close request while its box is up, and it closes once the
# box is closed.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
e2e_init "$@"
plan=$(e2e_plan_file)

celebrating() {
    e2e_launch
    probe play "$plan" shown >/dev/null
}
# The smileys are still out: what follows happens during the celebration.
still_running() { [ "$(probe smileys)" -gt 0 ] || fail "the celebration was over too soon"; }

say "during the celebration: closing the window"
celebrating
still_running
probe close
e2e_expect_exit "close while the smileys run"

say "during the celebration: Alt+E"
celebrating
still_running
probe key alt+e
e2e_expect_exit "Alt+E while the smileys run"

say "during the celebration: Game > Exit"
celebrating
still_running
probe key alt+g e
e2e_expect_exit "Game > Exit while the smileys run"

say "right after a win"
celebrating
probe wait-smileys 0
probe close
e2e_expect_exit "close after the celebration"
celebrating
probe wait-smileys 0
probe key alt+e
e2e_expect_exit "Alt+E after the celebration"

say "with the tip box open"
e2e_launch
probe key alt+t c
probe wait-toplevel Shortcut
if [ "${E2E_PLATFORM:-}" = wine ]; then
    # Windows's message box is modal: its owner, the game window, is
    # disabled while the box is up, and a disabled window refuses to close
    # (Wine drops the WM_DELETE_WINDOW, as Windows greys the close button).
    # The program and its box must stay; once the box is closed, so is the
    # window.
    probe close
    sleep 1
    e2e_alive || fail "a close request reached the window past the tip box"
    probe wait-toplevel Shortcut >/dev/null || fail "the tip box went away with the close request"
    probe close Shortcut
    probe wait-toplevel Shortcut gone
    probe close
    e2e_expect_exit "close after closing the tip box"
else
    probe close
    e2e_expect_exit "close with the tip box open"
fi

say "with the tip box open: input to the window is held back"
e2e_launch
probe key alt+t c
probe wait-toplevel Shortcut focused
probe click 92 392 # "Start the game again", below the box
sleep 0.5
probe close Shortcut
probe wait-toplevel Shortcut gone
probe barrier
[ "$(probe board)" = "$(e2e_plan_field start)" ] || fail "a click reached the window past the tip box"
probe close
e2e_expect_exit "close after closing the tip box"

say "tip box opened during the celebration, closed with Escape"
celebrating
probe key alt+t c
probe wait-toplevel Shortcut focused
# Whether the smileys run on under the box is the toolkit's; say what it does.
if E2E_TIMEOUT=5 probe wait-smileys 0 2>/dev/null; then
    say "the celebration ran to its end under the tip box"
else
    say "the celebration stood still under the tip box"
fi
probe key Escape
probe wait-toplevel Shortcut gone
probe close
e2e_expect_exit "close after the tip during the celebration"

say "tip box closed with its OK button (Return), then Alt+E"
e2e_launch
probe key alt+t c
probe wait-toplevel Shortcut focused
probe key Return
probe wait-toplevel Shortcut gone
probe key alt+e
e2e_expect_exit "Alt+E after the tip"
echo "ok"
