#!/usr/bin/env bash
# Checks the Windows program file, read back with the mingw-w64 binutils: its
# imports, subsystem and size, and its resources (face icon group, version
# record, manifest).
#   exe.sh QUARVEL_EXE FACE_ICO VERSION_TEXT
set -euo pipefail
exe=$1 face=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in x86_64-w64-mingw32-objdump x86_64-w64-mingw32-windres; do
    command -v "$tool" >/dev/null ||
        { echo "SKIP: $tool is not installed (scripts/deps.sh test installs binutils-mingw-w64-x86-64)"; exit 77; }
done
[ -f "$exe" ] || fail "no program at $exe (make windows builds it)"
[ -f "$face" ] || fail "no face icon at $face"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-objdump -p "$exe" >"$work/headers"
grep -q 'file format pei-x86-64' "$work/headers" || fail "not a 64-bit Windows program"

# Imports: the system's own DLLs, the C runtime among them (msvcrt, or the
# Universal CRT's api-ms-win-crt set); never libstdc++, libgcc or
# libwinpthread, which a Windows machine does not have.
awk '/DLL Name:/ {print $3}' "$work/headers" | sort -u >"$work/dlls"
echo "imports: $(tr '\n' ' ' <"$work/dlls")"
[ -s "$work/dlls" ] || fail "no imports found"
while read -r dll; do
    case ${dll,,} in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | winmm.dll | ole32.dll | oleacc.dll | msvcrt.dll | api-ms-win-crt-*.dll) ;;
    *) fail "imports $dll, which is not one of Windows's own DLLs" ;;
    esac
done <"$work/dlls"
for dll in kernel32.dll user32.dll gdi32.dll; do
    grep -qix "$dll" "$work/dlls" || fail "does not import $dll"
done

# A GUI program: no console window opens with it.
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' "$work/headers" ||
    fail "subsystem is not 2 (Windows GUI): $(grep '^Subsystem' "$work/headers")"
size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -le $((3 * 1024 * 1024 / 2)) ] || fail "$size bytes, more than 1.5 MiB"

# Resources, as a resource compiler reads them back.
x86_64-w64-mingw32-windres -i "$exe" -O rc >"$work/resources.rc"
# Every resource once: two scripts that each number their icon images from 1
# leave the linker two leaves of one name, and which one Windows loads is
# left to chance.
grep -E '^[0-9A-Za-z_]+ [0-9]+ /\* RT_' "$work/resources.rc" | sort | uniq -d >"$work/twice"
[ ! -s "$work/twice" ] || fail "resources stored twice under one name: $(tr '\n' ';' <"$work/twice")"

# Icon group 1, the program file's icon: two 16-colour images, 32 and 16
# pixels, and their pixels the face's own, image for image.
group=$(awk '/^1 14 \/\* RT_GROUP_ICON \*\//,/^END/' "$work/resources.rc")
[ -n "$group" ] || fail "no icon group 1"
echo "icon group 1:"
grep 'Element no' <<<"$group"
entries=$(grep -c 'Element no' <<<"$group")
[ "$entries" -eq 2 ] || fail "icon group 1 holds $entries images, not 2"
# "width height colours pad", planes, bits, bytes, image id.
big=$(grep -F '"\040\040\020\000", 1, 4,' <<<"$group") || fail "no 32 x 32 16-colour image in icon group 1"
small=$(grep -F '"\020\020\020\000", 1, 4,' <<<"$group") || fail "no 16 x 16 16-colour image in icon group 1"
# The image's words as the dump prints them (0x...L, little-endian 32-bit).
image_words() { awk -v id="$1" '$0 ~ "^" id " 3 /\\* RT_ICON" {on = 1; next} on && /^END/ {exit} on && /0x/' "$work/resources.rc" |
    tr ',' '\n' | sed -nE 's/^[[:space:]]*0x([0-9a-f]+)L[[:space:]]*$/\1/p' | sed -E 's/^0+([0-9a-f])/\1/'; }
# face.ico: a 6-byte header, 16-byte entries (size at 8, offset at 12).
ico_words() {
    local entry=$1 size offset
    size=$(od -A n -t u4 -j $((6 + 16 * entry + 8)) -N 4 "$face" | tr -d ' ')
    offset=$(od -A n -t u4 -j $((6 + 16 * entry + 12)) -N 4 "$face" | tr -d ' ')
    od -A n -v -t x4 -j "$offset" -N "$size" "$face" | tr -s ' ' '\n' | sed '/^$/d' | sed -E 's/^0+([0-9a-f])/\1/'
}
for entry in 0 1; do
    width=$(od -A n -t u1 -j $((6 + 16 * entry)) -N 1 "$face" | tr -d ' ')
    line=$big
    [ "$width" -eq 32 ] || line=$small
    id=$(sed -E 's/.*0x[0-9a-f]+L, *([0-9]+),?[[:space:]]*\/\*.*/\1/' <<<"$line")
    bytes=$(sed -E 's/.*, 4, (0x[0-9a-f]+)L.*/\1/' <<<"$line")
    [ $((bytes)) -eq "$(od -A n -t u4 -j $((6 + 16 * entry + 8)) -N 4 "$face" | tr -d ' ')" ] ||
        fail "the $width-pixel image is $((bytes)) bytes, not the face's"
    diff <(image_words "$id") <(ico_words "$entry") >/dev/null ||
        fail "icon image $id is not the face's $width-pixel image"
    echo "icon image $id: the face at $width pixels, $((bytes)) bytes"
done

# The version record: 1.0.0.0 and "1.00", U.S. English in Unicode.
awk '/VERSIONINFO/,/^END/' "$work/resources.rc" >"$work/version"
grep -q '^ FILEVERSION 1, 0, 0, 0$' "$work/version" || fail "the file version is not 1.0.0.0"
grep -q '^ PRODUCTVERSION 1, 0, 0, 0$' "$work/version" || fail "the product version is not 1.0.0.0"
grep -q "VALUE \"FileVersion\", \"$version\"" "$work/version" || fail "FileVersion is not \"$version\""
grep -q "VALUE \"ProductVersion\", \"$version\"" "$work/version" || fail "ProductVersion is not \"$version\""
grep -q 'BLOCK "040904B0"' "$work/version" || fail "the strings are not U.S. English in Unicode"
echo "version record: $(grep -E 'FILEVERSION|"FileVersion"' "$work/version" | tr -s ' ' | tr '\n' ' ')"

# The manifest (RT_MANIFEST 24, id 1): its text joined from the dump's
# quoted pieces.
awk '/^1 24 \/\* RT_MANIFEST \*\//,/^END/' "$work/resources.rc" | sed -nE 's/^[[:space:]]*"(.*)"[[:space:]]*$/\1/p' |
    tr -d '\n' | sed -e 's/""/"/g' -e 's/\\n/ /g' -e 's/\\r//g' -e 's/\\t/ /g' >"$work/manifest"
[ -s "$work/manifest" ] || fail "no manifest (resource 1 of type 24)"
grep -Eq '<dpiAwareness[^>]*>[^<]*PerMonitorV2' "$work/manifest" || fail "the manifest does not ask for PerMonitorV2 DPI awareness"
grep -Eq '<assemblyIdentity[^>]*name="Microsoft\.Windows\.Common-Controls"[^>]*version="6\.0\.0\.0"|<assemblyIdentity[^>]*version="6\.0\.0\.0"[^>]*name="Microsoft\.Windows\.Common-Controls"' "$work/manifest" ||
    fail "the manifest does not ask for common controls 6"
echo "manifest: PerMonitorV2, common controls 6.0.0.0"
echo "ok"
