#!/bin/bash
# What the zip holds, read without running it: the program, its title picture, README.txt and
# LICENSE.txt; a GUI program (no console window) whose every imported DLL is part of Windows
# (none is shipped); the icon, the version and a per-monitor DPI-aware manifest in its
# resources; and the licences of what it bundles.
# Arguments: the zip, the folder for artifacts.
set -u
ZIP=$1
ARTIFACTS=$2/program
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake -E chdir "$ARTIFACTS" cmake -E tar xf "$ZIP" || fail "the zip does not unpack"
dir=$(echo "$ARTIFACTS"/kestor-*-win64)
held=$(cd "$dir" && ls | sort | tr '\n' ' ')
[ "$held" = "LICENSE.txt README.txt Tilte.bmp kestor.exe " ] || fail "the zip holds: $held"
EXE=$dir/kestor.exe

x86_64-w64-mingw32-objdump -p "$EXE" >"$ARTIFACTS/headers.txt" || fail "objdump can't read kestor.exe"
grep -q "Subsystem.*(Windows GUI)" "$ARTIFACTS/headers.txt" || fail "kestor.exe is not a GUI program"

# The DLLs of every Windows since 7, and those the zip brings (none, today).
system="advapi32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 setupapi shell32 user32 version winmm"
for dll in $(awk '/DLL Name:/ { print tolower($3) }' "$ARTIFACTS/headers.txt"); do
    [[ " $system " == *" ${dll%.dll} "* ]] || [ -f "$dir/$dll" ] ||
        fail "kestor.exe imports $dll, which is neither part of Windows nor in the zip"
done
echo "imports: $(awk '/DLL Name:/ { printf "%s ", $3 }' "$ARTIFACTS/headers.txt")"

x86_64-w64-mingw32-windres -i "$EXE" -O rc -o "$ARTIFACTS/resources.rc" 2>"$ARTIFACTS/windres.err" ||
    fail "windres can't read kestor.exe's resources: $(cat "$ARTIFACTS/windres.err")"
grep -q "RT_GROUP_ICON" "$ARTIFACTS/resources.rc" || fail "no icon in kestor.exe"
grep -q 'VALUE "FileVersion", "[0-9]*\.[0-9]*\.[0-9]*"' "$ARTIFACTS/resources.rc" || fail "no version in kestor.exe"
grep -A20 "RT_MANIFEST" "$ARTIFACTS/resources.rc" | grep -q "PerMonitorV2" ||
    fail "kestor.exe's manifest does not make it per-monitor DPI aware"

for licence in "MIT License" "SDL 2.*zlib" "HIDAPI: the BSD" "SDL_mixer .*zlib" "mingw-w64 runtime" \
    "Runtime Library Exception"; do
    grep -q "$licence" "$dir/LICENSE.txt" || fail "LICENSE.txt says nothing of $licence"
done
grep -q $'\r$' "$dir/README.txt" || fail "README.txt has no Windows line ends"
echo "PASS"
