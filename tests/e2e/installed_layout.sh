#!/bin/bash
# `cmake --install` to a prefix lays the game out as Debian's games are, with what the desktop
# needs, and a program in games/ finds its title picture in share/games/kestor/ from any folder.
# kestor-sim, placed beside the installed program, reads its files as the game does.
# Arguments: the kestor program (in the build's bin/), kestor-sim, the folder for screenshots.
set -u
KESTOR=$1
SIM=$2
ARTIFACTS=$3/installed-layout
mkdir -p "$ARTIFACTS"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cmake --install "$(dirname "$KESTOR")/.." --prefix "$stage" >"$ARTIFACTS/install.log" ||
    fail "cmake --install: $(cat "$ARTIFACTS/install.log")"
for f in games/kestor share/games/kestor/Tilte.bmp share/applications/org.kestor.Kestor.desktop \
         share/metainfo/org.kestor.Kestor.metainfo.xml share/man/man6/kestor.6; do
    [ -f "$stage/$f" ] || fail "install: $f is missing"
done
for size in 16 32 48 64 128 256; do
    [ -f "$stage/share/icons/hicolor/${size}x$size/apps/kestor.png" ] || fail "install: no ${size}px icon"
done

cp "$SIM" "$stage/games/kestor-sim"
printf 'wait 1000\nshot title\n' >"$ARTIFACTS/title.script"
(cd / && "$stage/games/kestor-sim" --no-sound --shots "$ARTIFACTS" "$ARTIFACTS/title.script") ||
    fail "the installed kestor-sim did not run"
differ=$(compare -metric AE "$ARTIFACTS/title.png" "$stage/share/games/kestor/Tilte.bmp" null: 2>&1)
[ "$differ" = "0" ] || fail "the title differs from the installed Tilte.bmp in $differ pixels"
echo "PASS"
