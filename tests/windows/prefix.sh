#!/usr/bin/env bash
# Makes a Wine prefix afresh for the Windows program's tests (set up with no
# installer dialog, the game's fonts, windows Wine frames itself, DPI), or
# stops its wineserver and deletes it.
#   prefix.sh DIR DPI | prefix.sh DIR remove
set -euo pipefail
dir=$1 dpi=$2

for tool in wine wineserver; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/deps.sh test installs wine)"; exit 77; }
done
export WINEPREFIX=$dir WINEDEBUG=-all
# mscoree and mshtml off: no dialog offers to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A server still serving the prefix at this path must not outlive it.
if [ -d "$dir" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w
    rm -rf "$dir"
fi
[ "$dpi" != remove ] || exit 0

mkdir -p "$(dirname "$dir")"
start=$(date +%s)
# The set-up opens no window, so it needs no display.
env -u DISPLAY -u WAYLAND_DISPLAY wine wineboot --init
# Managed=N: Wine draws each window's frame itself and handles focus and
# closing on its own, as no window manager runs beside Xvfb. The font
# replacements use the faces that the Linux build shows (fonts-liberation,
# fonts-comic-neue). LogPixels is the resolution that the program sees.
settings="$dir/quarvel-tests.reg"
cat >"$settings" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Arial"="Liberation Sans"
"Comic Sans MS"="Comic Neue"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")
REG
env -u DISPLAY -u WAYLAND_DISPLAY wine reg import "$settings"
# The registry reaches user.reg when the server ends, and the resolution is
# read when it starts again.
wineserver -w
for want in '"Managed"="N"' '"Arial"="Liberation Sans"' '"Comic Sans MS"="Comic Neue"' \
    "\"LogPixels\"=dword:$(printf '%08x' "$dpi")"; do
    grep -qF "$want" "$dir/user.reg" || { echo "FAIL: $want is not in $dir/user.reg" >&2; exit 1; }
done
echo "Wine prefix at $dir, $dpi dpi, made in $(($(date +%s) - start)) s ($(wine --version))"
