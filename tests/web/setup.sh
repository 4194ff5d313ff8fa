#!/usr/bin/env bash
# Installs the browser tests' one npm package, puppeteer-core, as pinned by
# package-lock.json, when node_modules is missing or older than the lockfile.
# puppeteer-core downloads no browser: the tests drive Debian's chromium and
# firefox-esr, which scripts/deps.sh test installs.
set -euo pipefail
cd "$(dirname "$0")"
[ node_modules/.package-lock.json -nt package-lock.json ] && exit 0
command -v npm >/dev/null || { echo "error: npm is missing (scripts/deps.sh test installs it)" >&2; exit 1; }
npm ci --no-audit --no-fund --loglevel=error
