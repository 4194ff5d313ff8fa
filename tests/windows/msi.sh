#!/usr/bin/env bash
# The Windows installer under Wine, in a prefix of its own: msiexec /i /qn
# puts quarvel.exe and LICENSE.txt into Program Files\Quarvel and a Start
# menu shortcut with the face icon, and lists Quarvel VERSION by its
# publisher among the installed programs; the program the shortcut names
# starts and shows its window; msiexec /x /qn takes away every file and
# registry entry it made.
#   msi.sh MSI QUARVEL_EXE FACE_ICO VERSION PROBE PLANNER
set -euo pipefail
msi=$1 exe=$2 face=$3 version=$4 probe_exe=$5 planner=$6
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/lib.sh"
for tool in wine wineserver winepath strings; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps.sh test installs it)"
done
[ -f "$msi" ] || fail "no installer at $msi (make windows builds it)"

scratch=$(mktemp -d)
prefix=$scratch/wine
remove_prefix() { "$here/prefix.sh" "$prefix" remove; rm -rf "$scratch"; }
trap remove_prefix EXIT
"$here/prefix.sh" "$prefix" 96
export WINEPREFIX=$prefix WINEDEBUG=-all
# Wine would copy the shortcut into the Linux desktop's menus under $HOME.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
drive=$prefix/drive_c
# Every path in drive C:, but for the folder of Windows Installer's own cache,
# which a fresh prefix lacks and every Windows has.
files() { (cd "$drive" && find . | grep -vx '\./windows/Installer' | sort); }
# Registry entries naming the game, once the server has written them out.
mentions() {
    wineserver -w
    cat "$prefix"/*.reg | grep -ci quarvel || true
}
files >"$scratch/before"
[ "$(mentions)" -eq 0 ] || fail "the new prefix already names Quarvel"

say "msiexec /i"
env -u DISPLAY wine msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i: exit code $?"
files >"$scratch/installed"
# The installer keeps its own copy of the package and the icon under
# windows\Installer; everything else it put down is the game's.
comm -13 "$scratch/before" "$scratch/installed" >"$scratch/added"
echo "installed:"
sed 's/^/  /' "$scratch/added"
grep -v '^\./windows/Installer/' "$scratch/added" | sed 's|^\./users/[^/]*/|./users/USER/|' >"$scratch/game"
# Wine's msiexec takes the Start menu of the installing user even for a
# per-machine package, where Windows takes ProgramData's.
diff <(grep -v 'Start Menu' "$scratch/game") - <<'LIST' || fail "the program files are not the ones above"
./Program Files/Quarvel
./Program Files/Quarvel/LICENSE.txt
./Program Files/Quarvel/quarvel.exe
LIST
grep -Eq '^\./(ProgramData|users/USER/AppData/Roaming)/Microsoft/Windows/Start Menu/Programs/Quarvel\.lnk$' "$scratch/game" ||
    fail "no Start menu shortcut Programs\\Quarvel.lnk"
[ "$(grep -c 'Start Menu' "$scratch/game")" -eq 1 ] || fail "more than the one shortcut in the Start menu"
cmp "$drive/Program Files/Quarvel/quarvel.exe" "$exe" || fail "the installed quarvel.exe is not the one built"

lnk=$drive/$(grep -m1 'Quarvel\.lnk$' "$scratch/added")
target=$(strings "$lnk" | grep -m1 -i '^C:\\.*\.exe$') || fail "the shortcut names no program"
[ "$target" = 'C:\Program Files\Quarvel\quarvel.exe' ] || fail "the shortcut starts $target"
icon=$(strings -el "$lnk" | grep -o -m1 -i 'C:\\.*\.ico$') || fail "the shortcut has no icon of its own"
cmp "$(winepath -u "$icon")" "$face" || fail "the shortcut's icon $icon is not the face"
echo "shortcut: $target, icon $icon (the face)"

# The entry of installed programs, by its DisplayName.
arp=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk '/^HKEY_/ {key = $0} {entry[key] = entry[key] $0 "\n"} /^ +DisplayName +REG_SZ +Quarvel$/ {found[key] = 1; n++}
         END {if (n != 1) exit 1; for (k in found) printf "%s", entry[k]}') ||
    fail "not one entry named Quarvel among the installed programs"
grep -Eq "^ +DisplayVersion +REG_SZ +${version//./\\.}\$" <<<"$arp" || fail "the entry's version is not $version: $arp"
grep -Eq '^ +Publisher +REG_SZ +The Quarvel developers$' <<<"$arp" || fail "the entry's publisher is not The Quarvel developers: $arp"
grep -E 'DisplayName|DisplayVersion|Publisher|UninstallString' <<<"$arp"
[ "$(mentions)" -gt 0 ] || fail "the registry names Quarvel nowhere after the installation"

say "the installed program, as the shortcut starts it"
e2e_init "$(winepath -u "$target")" "$probe_exe" "$planner"
trap 'e2e_cleanup; remove_prefix' EXIT
e2e_launch
probe window
probe close
e2e_expect_exit "close"

say "msiexec /x"
env -u DISPLAY wine msiexec /x "$(winepath -w "$msi")" /qn || fail "msiexec /x: exit code $?"
files >"$scratch/removed"
diff "$scratch/before" "$scratch/removed" || fail "the removal left these behind (>) or took these (<)"
left=$(mentions)
[ "$left" -eq 0 ] || fail "the registry still names Quarvel $left times after the removal"
echo "ok"
