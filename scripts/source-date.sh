#!/bin/sh
# The date of everything dated in a release (the zips' entries, the installer, the Debian
# package's files), in seconds since 1970: SOURCE_DATE_EPOCH when the environment sets it, as
# Debian's tools do, else the last commit's, so that every build of a commit is dated alike.
# Prints it, or with FILE writes it there, leaving FILE untouched when it holds that date
# already, so that a build re-packs only when the date changed.
#   scripts/source-date.sh [FILE]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    date=$SOURCE_DATE_EPOCH
elif [ -e "$root/.git" ]; then
    date=$(git -C "$root" log -1 --format=%ct)
else
    echo "error: $root is no git work tree: set SOURCE_DATE_EPOCH to the release's date" >&2
    exit 1
fi
if [ $# -eq 0 ]; then
    echo "$date"
elif [ "$(cat "$1" 2>/dev/null)" != "$date" ]; then
    echo "$date" >"$1"
fi
