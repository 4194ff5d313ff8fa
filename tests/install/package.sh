#!/usr/bin/env bash
# Builds the Debian package as `make deb` does (scripts/deb.sh), checks its
# version, contents and dependencies (they must name the Debian packages that
# hold the libraries the program links), has lintian find nothing to say about
# it, unpacks it into a scratch root with dpkg -x, starts the unpacked program
# under Xvfb until its window appears, and closes it with its Exit button's
# access key.
#   package.sh SCRATCH_DIR VERSION
set -euo pipefail
scratch=$1
version=$2
source=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg-buildpackage dh lintian Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

rm -rf "$scratch"
mkdir -p "$scratch"
"$source/scripts/deb.sh" "$scratch/deb" >"$scratch/build.log" 2>&1 ||
    fail "the package build failed: $(tail -n 40 "$scratch/build.log")"
debs=("$scratch"/deb/quarvel_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one quarvel_*.deb, found: ${debs[*]}"
fi
deb=${debs[0]}
echo "built $(basename "$deb")"
# The package carries the version the program reports.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    fail "the package is version $(dpkg-deb -f "$deb" Version), the program $version"

# Lintian's errors and warnings fail the test; anything else it prints (a
# tag at another level, a complaint about lintian's own run) is a finding too.
# --allow-root: CI runs as root, and lintian's caution is about unpacking
# packages of unknown origin, not the one just built here.
lintian_out=$(lintian --allow-root --fail-on error,warning "$deb" 2>&1) || fail "lintian: $lintian_out"
[ -z "$lintian_out" ] || fail "lintian: $lintian_out"

# Every library the program links directly comes from a package it depends on
# (the sanitizer runtimes of an instrumented test build aside), and the fonts
# that stand in for Arial and Comic Sans MS come along.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=" $(sed 's/ ([^)]*)//g; s/,/ /g' <<<"$depends") "
for font in fonts-liberation fonts-comic-neue; do
    [[ $names == *" $font "* ]] || fail "no dependency on $font"
done
dpkg -x "$deb" "$scratch/root"
program=$scratch/root/usr/games/quarvel
[ -x "$program" ] || fail "the package has no usr/games/quarvel"
said=$("$program" --version)
said=${said%%$'\n'*}
[ "$said" = "quarvel $version" ] || fail "the packaged program says \"$said\", not quarvel $version"
while read -r lib path; do
    case $lib in libasan* | libubsan* | liblsan* | libtsan*) continue ;; esac
    # dpkg knows a library by the path its package put it at, which with the
    # merged /usr may be the link or its target.
    owner=$( (dpkg -S "$path" || dpkg -S "$(readlink -f "$path")") 2>/dev/null |
        head -n1 | cut -d: -f1)
    [ -n "$owner" ] || fail "no Debian package holds $lib ($path)"
    [[ $names == *" $owner "* ]] || fail "$lib comes from $owner, which is not in Depends"
done < <(ldd "$program" | awk -v need="$(objdump -p "$program" | awk '/NEEDED/ {print $2}')" '
    BEGIN { n = split(need, list, "\n"); for (i = 1; i <= n; i++) wanted[list[i]] = 1 }
    $1 in wanted && $3 ~ /^\// { print $1, $3 }')
for file in share/man/man6/quarvel.6.gz share/applications/org.quarvel.Quarvel.desktop \
    share/metainfo/org.quarvel.Quarvel.metainfo.xml share/doc/quarvel/copyright; do
    [ -f "$scratch/root/usr/$file" ] || fail "the package has no usr/$file"
done
for side in 16 32 48 64 128 256; do
    [ -f "$scratch/root/usr/share/icons/hicolor/${side}x$side/apps/org.quarvel.Quarvel.png" ] ||
        fail "the package has no ${side}x$side icon"
done

# The unpacked program under a private X server.
fdfile=$scratch/display
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
xvfb=$!
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
[ -s "$fdfile" ] || fail "Xvfb did not start"
display=$(head -n1 "$fdfile")
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
# No session bus, rather than one that libdbus would fork a launcher for (see
# tests/e2e/lib.sh).
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-session-bus"
"$program" &
app=$!
wid=""
for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name '^Quarvel$' 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && break
    kill -0 "$app" 2>/dev/null || fail "the installed program ended before showing its window"
    sleep 0.1
done
[ -n "$wid" ] || fail "the installed program showed no window within 10 s"
echo "window $wid is up"

# Alt+E presses "Exit the game": the program must end by itself, cleanly.
# With no window manager the window takes the focus itself, which makes it
# the active window whose access keys Qt listens to.
xdotool windowfocus --sync "$wid"
sleep 0.2
xdotool key alt+e
for _ in $(seq 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "Alt+E did not end the program"
status=0
wait "$app" || status=$?
app=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo ok
