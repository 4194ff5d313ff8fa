#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing needs and
# that are missing; installs nothing when all are present.
#   scripts/deps.sh build|run|deb|windows|web|test
set -euo pipefail

# The X and AT-SPI libraries are the end-to-end probe's: it plays the player's
# hands and eyes, and reads the controls as a screen reader does.
build=(cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
       libxkbcommon-dev libx11-dev libxtst-dev libatspi2.0-dev)
run=(fonts-liberation fonts-comic-neue)
# What dpkg-buildpackage needs besides the build list, and lintian to check
# the package.
deb=(build-essential debhelper dpkg-dev lintian)
# valgrind and a session bus for the memcheck run; the accessibility bus
# (at-spi2-core) and dbus-send for the series, which reads the controls as
# a screen reader does.
test=(xvfb xauth xdotool x11-utils desktop-file-utils appstream groff-base weston qt6-wayland
      valgrind dbus-daemon dbus-bin at-spi2-core "${deb[@]}")
# The Windows program's cross compiler and binutils, zip for its zip, and
# wixl for its installer, with msitools and faketime to give it the same
# bytes on every build; its icons are drawn by the Linux build's makeicons,
# hence the build list too.
windows=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 zip wixl msitools faketime)
# The tests build the Windows program and run it under Wine; the X
# extensions are Wine's own recommendations, which it loads at run time.
test+=("${windows[@]}" wine libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1)
# The browser tests drive Debian's browsers from node (tests/web/setup.sh),
# WebKitGTK's MiniBrowser through webkit2gtk-driver's WebKitWebDriver; a node
# that is already there, from Debian or elsewhere, brings its own npm.
test+=(chromium firefox-esr webkit2gtk-driver)
# The screen reader that listens to a game played by ear, in the Linux
# window and the page (tests/e2e/by_ear.sh).
test+=(orca)
command -v npm >/dev/null || test+=(nodejs npm)

# The browser build's compiler, with its own clang and node-run tools, and
# what it cuts the page's faces from: pyftsubset (fonttools, with brotli for
# WOFF2) and the look-alike fonts.
web=(emscripten python3-fonttools python3-brotli fonts-comic-neue fonts-liberation)
test+=("${web[@]}")

case "${1:-test}" in
build) wanted=("${build[@]}") ;;
run) wanted=("${build[@]}" "${run[@]}") ;;
deb) wanted=("${build[@]}" "${deb[@]}") ;;
windows) wanted=("${build[@]}" "${windows[@]}") ;;
web) wanted=("${build[@]}" "${web[@]}") ;;
test) wanted=("${build[@]}" "${run[@]}" "${test[@]}") ;;
*) echo "usage: $0 build|run|deb|windows|web|test" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo=(sudo -n)
else
    echo "error: these Debian packages are missing and I cannot install them" >&2
    echo "       (not root, and no password-less sudo): ${missing[*]}" >&2
    echo "       install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
# Waits for another apt that holds the package database, rather than failing.
"${sudo[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}" >/dev/null
