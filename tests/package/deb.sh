#!/bin/bash
# The Debian package as a distribution builds it and a player meets it. dpkg-buildpackage makes
# the source package and the .debs twice, in two folders, and both builds give the same bytes;
# lintian finds nothing to say but what is named below, the program is hardened, no address on
# a domain the project does not own is shipped, the metainfo, desktop entry and manual page are
# valid. Installed with apt, the installed /usr/games/kestor starts from anywhere on its title
# picture and quits with Escape; purged, it leaves no file behind.
# dpkg-buildpackage writes beside the source tree, so each build works on a copy of the checkout
# (its tracked and new files) in a temporary folder. Installs and removes the package on this
# machine (as root, or through sudo).
# Argument: the folder for screenshots and logs.
set -u
ROOT=$(realpath "$(dirname "$0")/../..")
ARTIFACTS=$(realpath -m "$1/package")
mkdir -p "$ARTIFACTS"
source "$(dirname "$0")/../e2e/xvfb.bash"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT

# One version everywhere a release is named.
version=$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)
upstream=${version%-*}
project=$(sed -n 's/^project(kestor VERSION \([^ ]*\) .*/\1/p' "$ROOT/CMakeLists.txt")
[ "$upstream" = "$project" ] || fail "debian/changelog names $upstream, CMakeLists.txt $project"
grep -q "<release version=\"$upstream\"" "$ROOT/packaging/org.kestor.Kestor.metainfo.xml.in" ||
    fail "the metainfo has no release $upstream"

# ---- built twice ------------------------------------------------------------------------------
# Copies the checkout to $work/$1/kestor-<version>, packs the upstream tarball beside it, and
# builds there as a Debian user would.
build() {
    local dir=$work/$1 tree=$work/$1/kestor-$upstream
    mkdir -p "$tree"
    (cd "$ROOT" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
        tar --null -T - -c) | tar -x -C "$tree" || fail "could not copy the checkout"
    tar -C "$dir" --exclude="kestor-$upstream/debian" -cJf "$dir/kestor_$upstream.orig.tar.xz" \
        "kestor-$upstream" || fail "could not pack the upstream tarball"
    (cd "$tree" && dpkg-buildpackage -us -uc -J2) >"$ARTIFACTS/build-$1.log" 2>&1 ||
        fail "dpkg-buildpackage: $(tail -n 40 "$ARTIFACTS/build-$1.log")"
}
build one
build two
deb=$work/one/kestor_${version}_amd64.deb
changes=$work/one/kestor_${version}_amd64.changes
[ -f "$deb" ] || fail "dpkg-buildpackage made no $(basename "$deb")"
[ -f "$work/one/kestor_$version.dsc" ] || fail "dpkg-buildpackage made no source package"
cp "$deb" "$ARTIFACTS/"

# Reproducible: the same source gives the same bytes, whatever folder it was built in.
for made in "$work"/one/*.deb; do
    name=$(basename "$made")
    cmp -s "$made" "$work/two/$name" && continue
    dpkg-deb -R "$made" "$work/one-$name"
    dpkg-deb -R "$work/two/$name" "$work/two-$name"
    fail "the two builds of $name differ: $(diff -rq "$work/one-$name" "$work/two-$name")"
done

# ---- the package itself -----------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "section $(field Section), not games"
[ "$(field Description | wc -l)" -gt 2 ] || fail "no long description"
# dpkg-shlibdeps found the libraries the program links.
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-ttf-2.0-0 libc6; do
    field Depends | grep -q "\b$lib (>=" || fail "Depends lacks $lib: $(field Depends)"
done
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"

# Debian's own measure. Every tag lintian may still show is named here with its reason:
#   no-homepage-field: the game has no web page of its own yet.
lintian --pedantic --info --tag-display-limit 0 "$changes" >"$ARTIFACTS/lintian.log" 2>/dev/null
status=$?
tags=$(sed -n 's/^[EWIPX]: [^:]*: \([^ ]*\).*/\1/p' "$ARTIFACTS/lintian.log" | sort -u)
unexpected=$(grep -vx 'no-homepage-field' <<<"$tags")
[ "$status" -eq 0 ] && [ -z "$unexpected" ] || fail "lintian: $(cat "$ARTIFACTS/lintian.log")"
grep -q '^Architecture: source amd64' "$changes" || fail "the .changes lacks the source or the binary"

# Hardened as Debian builds its games. Debian 12's compilers are given no control-flow
# protection, so hardening-check is not asked about it.
hardening-check --nocfprotection "$unpacked/usr/games/kestor" >"$ARTIFACTS/hardening.log" 2>&1 ||
    fail "hardening-check: $(cat "$ARTIFACTS/hardening.log")"
for property in 'Position Independent Executable' 'Stack protected' 'Fortify Source functions' \
                'Read-only relocations' 'Immediate binding'; do
    grep -q "^ $property: yes" "$ARTIFACTS/hardening.log" ||
        fail "hardening-check: $(cat "$ARTIFACTS/hardening.log")"
done

# The only address shipped is the maintainer's placeholder on a domain reserved for examples,
# and the only web address the one that names the copyright file's format.
maintainer=$(field Maintainer)
contact=$(sed -n 's:.*<update_contact>\(.*\)</update_contact>.*:\1:p' "$unpacked"/usr/share/metainfo/*.xml)
[ "<$contact>" = "<${maintainer##*<}" ] ||
    fail "the metainfo names $contact as its contact, the package $maintainer"
addresses=$({ dpkg-deb -f "$deb"; grep -rIhoE '[[:alnum:]._%+-]+@[[:alnum:].-]+|[a-z]+://[^ <>"]+' \
    "$unpacked" "$work/one/kestor-$upstream/debian" "$work/one/kestor-$upstream/packaging"; } |
    grep -oE '[[:alnum:]._%+-]+@[[:alnum:].-]+|[a-z]+://[^ <>"]+' |
    grep -vE '@example\.org$|^https://www\.debian\.org/doc/packaging-manuals/copyright-format/1\.0/$')
[ -z "$addresses" ] || fail "the package names addresses of others: $addresses"

# The manual page, read from the package (an image may keep manual pages from being installed).
cp "$unpacked/usr/share/man/man6/kestor.6.gz" "$ARTIFACTS/" || fail "no manual page kestor(6)"
zcat "$ARTIFACTS/kestor.6.gz" | grep -q "^\.TH KESTOR 6 .*\"Kestor $upstream\"" ||
    fail "the manual page does not name version $upstream"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 MANROFFOPT=-ww man -l "$ARTIFACTS/kestor.6.gz" 2>&1 >"$ARTIFACTS/kestor.6.txt")
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
grep -q "^KEYS" "$ARTIFACTS/kestor.6.txt" || fail "the manual page has no KEYS"

# ---- installed --------------------------------------------------------------------------------
$sudo dpkg --purge kestor >/dev/null 2>&1 # what an earlier, interrupted run left
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >"$ARTIFACTS/apt.log" 2>&1 ||
    fail "apt-get install: $(cat "$ARTIFACTS/apt.log")"
dpkg-query -L kestor >"$ARTIFACTS/files"
purge() { $sudo apt-get purge -y -qq kestor >>"$ARTIFACTS/apt.log" 2>&1; }
trap 'cleanup; purge; rm -rf "$work"' EXIT

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

# ---- removed ----------------------------------------------------------------------------------
purge || fail "apt-get purge: $(cat "$ARTIFACTS/apt.log")"
trap 'cleanup; rm -rf "$work"' EXIT
dpkg-query -W kestor >/dev/null 2>&1 && fail "kestor is still known to dpkg after purge"
while read -r path; do
    [ -d "$path" ] && continue # shared folders such as /usr/share stay
    [ -e "$path" ] && fail "$path is left after purge"
done <"$ARTIFACTS/files"
for dir in /usr/share/games/kestor /usr/share/doc/kestor; do
    [ -e "$dir" ] && fail "$dir is left after purge"
done
echo "PASS"
