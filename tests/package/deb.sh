#!/bin/bash
# The Debian package as a player meets it: built by CPack, clean under lintian, its metainfo,
# desktop entry and manual page valid; installed with apt, the installed /usr/games/kestor starts
# from anywhere on its title picture and quits with Escape; purged, it leaves no file behind.
# Installs and removes the package on this machine (as root, or through sudo).
# Arguments: the build folder, the folder for screenshots and logs.
set -u
BUILD=$(realpath "$1")
ARTIFACTS=$(realpath -m "$2/package")
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/../e2e/xvfb.bash"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
deb="$BUILD/kestor_${version}_amd64.deb"
rm -f "$deb"
(cd "$BUILD" && cpack -G DEB >"$ARTIFACTS/cpack.log" 2>&1) || fail "cpack: $(cat "$ARTIFACTS/cpack.log")"
[ -f "$deb" ] || fail "cpack made no $(basename "$deb")"

# ---- the package itself ---------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
packed() { dpkg-deb --fsys-tarfile "$deb" | tar -xO --wildcards "./$1"; }
[ "$(field Section)" = games ] || fail "section $(field Section), not games"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ "$(field Description | wc -l)" -gt 2 ] || fail "no long description"
# dpkg-shlibdeps found the libraries the program links.
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-ttf-2.0-0 libc6; do
    field Depends | grep -q "\b$lib (>=" || fail "Depends lacks $lib: $(field Depends)"
done
# One version everywhere a release is named.
changelog=$(packed usr/share/doc/kestor/changelog.gz | gunzip | head -n 1 | sed 's/.*(\(.*\)).*/\1/')
[ "$changelog" = "$version" ] || fail "the changelog names $changelog, the package $version"
packed 'usr/share/metainfo/*.metainfo.xml' | grep -q "<release version=\"$version\"" ||
    fail "the metainfo has no release $version"

# The manual page, read from the package (an image may keep manual pages from being installed).
packed usr/share/man/man6/kestor.6.gz >"$ARTIFACTS/kestor.6.gz" ||
    fail "no manual page kestor(6)"
zcat "$ARTIFACTS/kestor.6.gz" | grep -q "^\.TH KESTOR 6 .*\"Kestor $version\"" ||
    fail "the manual page does not name version $version"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 MANROFFOPT=-ww man -l "$ARTIFACTS/kestor.6.gz" 2>&1 >"$ARTIFACTS/kestor.6.txt")
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
grep -q "^KEYS" "$ARTIFACTS/kestor.6.txt" || fail "the manual page has no KEYS"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$ARTIFACTS/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$ARTIFACTS/lintian.log")"
grep -E '^[WE]: ' "$ARTIFACTS/lintian.log"

# ---- installed --------------------------------------------------------------------------------
$sudo dpkg --purge kestor >/dev/null 2>&1 # what an earlier, interrupted run left
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >"$ARTIFACTS/apt.log" 2>&1 ||
    fail "apt-get install: $(cat "$ARTIFACTS/apt.log")"
dpkg-query -L kestor >"$ARTIFACTS/files"
purge() { $sudo apt-get purge -y -qq kestor >>"$ARTIFACTS/apt.log" 2>&1; }
trap 'cleanup; purge' EXIT

# No network here: the screenshots' addresses are checked for form, not fetched.
metainfo=$(grep '^/usr/share/metainfo/.*\.metainfo\.xml$' "$ARTIFACTS/files") || fail "no metainfo"
appstreamcli validate --no-net "$metainfo" >"$ARTIFACTS/appstream.log" 2>&1 ||
    fail "appstreamcli: $(cat "$ARTIFACTS/appstream.log")"
desktop=$(grep '^/usr/share/applications/.*\.desktop$' "$ARTIFACTS/files") || fail "no desktop entry"
[ "$(basename "$desktop" .desktop)" = "$(basename "$metainfo" .metainfo.xml)" ] ||
    fail "the desktop entry and the metainfo have different ids"
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
for size in 16 32 48 64 128 256; do
    [ "$(identify -format %wx%h "/usr/share/icons/hicolor/${size}x$size/apps/kestor.png")" = "${size}x$size" ] ||
        fail "no ${size}px icon"
done

# The installed program, started from a folder without its title picture in it.
start_xvfb
cd /
start_game /usr/games/kestor
shoot title
differ=$(compare -metric AE "$ARTIFACTS/title.png" /usr/share/games/kestor/Tilte.bmp null: 2>&1)
[ "$differ" = "0" ] || fail "the installed game's screen differs from its Tilte.bmp in $differ pixels"
xdotool key Escape
expect_exit 0 Escape

# ---- removed --------------------------------------------------------------------------------
purge || fail "apt-get purge: $(cat "$ARTIFACTS/apt.log")"
trap cleanup EXIT
dpkg-query -W kestor >/dev/null 2>&1 && fail "kestor is still known to dpkg after purge"
while read -r path; do
    [ -d "$path" ] && continue # shared folders such as /usr/share stay
    [ -e "$path" ] && fail "$path is left after purge"
done <"$ARTIFACTS/files"
for dir in /usr/share/games/kestor /usr/share/doc/kestor; do
    [ -e "$dir" ] && fail "$dir is left after purge"
done
echo "PASS"
