#!/usr/bin/env bash
# Gathers every file a user downloads into OUT_DIR, with their SHA256SUMS beside them: the
# Windows zip and installer from WIN_DIR, the Debian package and its debug symbols from DEB_DIR,
# and the page of WEB_DIR as one zip, packed as the Windows zip is (cmake/zip.cmake). Every
# build of one commit gives the same bytes, so anyone can build a release again and compare
# the sums (README.md, "Releases"). make release builds them first.
#   scripts/release.sh OUT_DIR WIN_DIR WEB_DIR DEB_DIR
set -euo pipefail
out=$1 win=$2 web=$3 deb=$4
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)

if [ -n "$(git -C "$root" status --porcelain 2>/dev/null)" ]; then
    echo "warning: the work tree has changes that are not committed, so this release is not" >&2
    echo "         the last commit's, and a build of that commit will give other sums" >&2
fi
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd) web=$(cd "$web" && pwd)
cp "$win/quarvel-$version-windows-x64.zip" "$win/quarvel-$version-x64.msi" \
    "$deb"/quarvel_"$version"_*.deb "$deb"/quarvel-dbgsym_"$version"_*.deb "$out/"
cmake -DZIP="$out/quarvel-$version-web.zip" -DDIR="$web" -P "$root/cmake/zip.cmake"
(cd "$out" && export LC_ALL=C && sha256sum -- * >SHA256SUMS)
echo "$out:"
cat "$out/SHA256SUMS"
