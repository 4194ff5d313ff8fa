#!/usr/bin/env bash
# Builds the Windows program and the page a second time, as `make windows web` does, from a
# copy of this tree in another folder with fresh build folders, on a clock 500 days ahead, in a
# time zone 14 hours ahead and under another umask, and compares every file a user downloads
# with the first build's: the program file, its zip and its installer, and every file of the
# site. Each file that differs is named. The copy is a clone of the repository (the build
# dates its packages by the last commit) holding the working tree's files, edits not yet
# committed included; the drawing tool makeicons is the first build's.
#   rebuild.sh SCRATCH_DIR NATIVE_BUILD_DIR WIN_BUILD_DIR WEB_BUILD_DIR
set -euo pipefail
scratch=$1 native=$2 win=$3 web=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in git faketime x86_64-w64-mingw32-g++-posix wixl emcc zip; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/deps.sh test installs it)"; exit 77; }
done
[ -e "$root/.git" ] || { echo "SKIP: $root is not a git work tree"; exit 77; }
[ -f "$win/quarvel.exe" ] && [ -f "$web/index.html" ] || fail "no first build in $win and $web (make windows web)"

# What a user downloads of a build, copied into DEST_DIR: win/ and web/.
downloads() { # WIN_DIR WEB_DIR DEST_DIR
    mkdir -p "$3/win" "$3/web"
    find "$1" -maxdepth 1 -type f \( -name quarvel.exe -o -name '*.zip' -o -name '*.msi' \) \
        -exec cp {} "$3/win/" \;
    cp -R "$2/." "$3/web/"
}

rm -rf "$scratch"
copy=$scratch/elsewhere/quarvel
mkdir -p "$copy"
git clone -q --shared --no-checkout "$root" "$copy"
"$root/scripts/copy-tree.sh" "$copy"

clock=+500d zone=XST-14 mask=0002
echo "building again in $copy, the clock at $(faketime -f $clock date -u '+%F %T UTC'), TZ=$zone, umask $mask"
start=$(date +%s)
(
    umask $mask
    export TZ=$zone
    unset MAKEFLAGS MFLAGS MAKELEVEL
    faketime -f $clock make -C "$copy" windows web BUILD_DIR="$native" >"$scratch/build.log" 2>&1
) || fail "the second build failed: $(tail -n 40 "$scratch/build.log")"
echo "built in $(($(date +%s) - start)) s"

downloads "$win" "$web" "$scratch/first"
downloads "$copy/build-win" "$copy/build-web" "$scratch/second"
cd "$scratch"
diff -rq first second ||
    fail "the two builds differ, as named above (make windows web again if the tree changed since; the second build's log: $scratch/build.log)"
(cd first && find . -type f | LC_ALL=C sort | xargs sha256sum)
echo "ok: $(find first -type f | wc -l) files the same"
