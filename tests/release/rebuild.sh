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

# What a user downloads of each build, by name.
downloads() { # WIN_DIR WEB_DIR
    (cd "$1" && find . -maxdepth 1 -type f \( -name quarvel.exe -o -name '*.zip' -o -name '*.msi' \)) |
        sed 's|^\./|win/|'
    (cd "$2" && find . -type f) | sed 's|^\./|web/|'
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

first=$scratch/first.txt second=$scratch/second.txt
downloads "$win" "$web" | LC_ALL=C sort >"$first"
downloads "$copy/build-win" "$copy/build-web" | LC_ALL=C sort >"$second"
# A name's file in the first (1) or the second (2) build.
wins=([1]=$win [2]=$copy/build-win) webs=([1]=$web [2]=$copy/build-web)
path() { # 1|2 NAME
    case $2 in
    win/*) echo "${wins[$1]}/${2#win/}" ;;
    web/*) echo "${webs[$1]}/${2#web/}" ;;
    esac
}
status=0
while IFS= read -r name; do
    echo "only in the first build: $name"
    status=1
done < <(comm -23 "$first" "$second")
while IFS= read -r name; do
    echo "only in the second build: $name"
    status=1
done < <(comm -13 "$first" "$second")
while IFS= read -r name; do
    a=$(path 1 "$name") b=$(path 2 "$name")
    if cmp -s "$a" "$b"; then
        echo "same: $(sha256sum <"$a" | cut -c1-64)  $name"
    else
        echo "differs: $name ($(cmp "$a" "$b" 2>&1 | sed 's/^.* differ: //'), $(cmp -l "$a" "$b" 2>/dev/null | wc -l) bytes)"
        status=1
    fi
done < <(comm -12 "$first" "$second")
[ $status -eq 0 ] || fail "the two builds differ (the second's log: $scratch/build.log)"
echo "ok: $(wc -l <"$first") files the same"
