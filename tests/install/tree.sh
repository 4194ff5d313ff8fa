#!/usr/bin/env bash
# Installs the build under a scratch prefix and checks what lands there: the
# program, its manual page, the desktop entry and the metainfo (both through
# their validators, and against each other), and a hicolor icon of the right
# size in each folder.
#   tree.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
prefix=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli groff; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

desktop=share/applications/org.quarvel.Quarvel.desktop
metainfo=share/metainfo/org.quarvel.Quarvel.metainfo.xml
manpage=share/man/man6/quarvel.6
[ -x bin/quarvel ] || fail "bin/quarvel is missing or not executable"
[ -f "$manpage" ] || fail "$manpage is missing"
[ -f "$desktop" ] || fail "$desktop is missing"
[ -f "$metainfo" ] || fail "$metainfo is missing"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
# groff exits 0 on warnings, so any message at all is a fault in the page.
messages=$(groff -man -ww -z "$manpage" 2>&1) || fail "groff fails on $manpage: $messages"
[ -z "$messages" ] || fail "groff warns about $manpage: $messages"

# The desktop entry starts the installed program and names the installed icon.
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec)" = quarvel ] || fail "Exec is '$(entry Exec)', not the installed quarvel"
icon=$(entry Icon)
[ "$icon" = org.quarvel.Quarvel ] || fail "Icon is '$icon'"

# The metainfo points at that entry and program, and carries what software
# centres show: a screenshot, the first release and a content rating.
has() { grep -q -- "$1" "$metainfo" || fail "the metainfo lacks $1"; }
has '<id>org.quarvel.Quarvel</id>'
has '<launchable type="desktop-id">org.quarvel.Quarvel.desktop</launchable>'
has '<binary>quarvel</binary>'
has '<release version="1.00"'
has '<content_rating type="oars-1.1"'
has '<screenshot type="default">'
has '<image>https://'

# Every hicolor folder holds a PNG of its own size, 16 and 32 drawn, the
# larger ones enlarged for launchers.
for side in 16 32 48 64 128 256; do
    png=share/icons/hicolor/${side}x${side}/apps/$icon.png
    [ -f "$png" ] || fail "$png is missing"
    [ "$(od -An -tx1 -N8 "$png" | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
    width=$((16#$(od -An -tx1 -j16 -N4 "$png" | tr -d ' \n')))
    height=$((16#$(od -An -tx1 -j20 -N4 "$png" | tr -d ' \n')))
    if [ "$width" != "$side" ] || [ "$height" != "$side" ]; then fail "$png is ${width}x$height"; fi
done

# Nothing else: no test program or library slips into the installation.
extra=$(find . -type f | sort | grep -v -e '^./bin/quarvel$' -e "^./$desktop$" -e "^./$metainfo$" \
    -e "^./$manpage$" \
    -e "^./share/icons/hicolor/[0-9]*x[0-9]*/apps/$icon.png$" || true)
[ -z "$extra" ] || fail "unexpected files installed: $extra"
echo ok
