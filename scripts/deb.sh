#!/usr/bin/env bash
# Builds the Debian package from debian/ with dpkg-buildpackage, in a copy of
# the source tree, so that nothing is written outside OUT_DIR: dpkg-buildpackage
# puts its results beside the tree it builds. The copy holds the files of the
# working tree that git tracks or would track (edits not yet committed
# included; ignored and deleted files left out), so the package is what is on
# disk. Leaves quarvel_VERSION_ARCH.deb and its -dbgsym, .buildinfo and
# .changes in OUT_DIR.
#   scripts/deb.sh [OUT_DIR]       (default: build-deb)
# JOBS sets the parallel build jobs (default: every processor).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-deb}
jobs=${JOBS:-$(nproc)}

git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1 || {
    echo "error: $root is not a git work tree; in an unpacked source tree," >&2
    echo "       run dpkg-buildpackage -b -us -uc there instead" >&2
    exit 1
}
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
# The package's files are dated by the last commit, as the other downloads
# are, rather than by the changelog's latest entry.
SOURCE_DATE_EPOCH=$("$root/scripts/source-date.sh")
export SOURCE_DATE_EPOCH
mkdir -p "$out"
out=$(cd "$out" && pwd)
src=$out/quarvel-$version

# The results of an earlier build go first, so the folder holds one package.
rm -rf "$src"
rm -f "$out"/quarvel_* "$out"/quarvel-dbgsym_*
"$root/scripts/copy-tree.sh" "$src"

cd "$src"
dpkg-buildpackage -b -us -uc -J"$jobs"
ls "$out"/quarvel_"${version}"_*.deb
