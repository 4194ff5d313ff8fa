#!/usr/bin/env bash
# Copies the files of this working tree that git tracks or would track into
# DEST_DIR: edits not yet committed included, ignored and deleted files left
# out, so that a build there builds what is on disk here.
#   scripts/copy-tree.sh DEST_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
        if [ -e "$file" ] || [ -L "$file" ]; then printf '%s\0' "$file"; fi
    done | tar --null --no-recursion --files-from=- -cf -) | tar -C "$1" -xf -
