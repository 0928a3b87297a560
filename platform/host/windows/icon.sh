#!/bin/bash
# Packs the generator's PNG icons into one Windows icon: a header, a directory entry for each
# size, then the PNGs as they are (Windows reads PNG icons since Vista).
# Arguments: the icon to write, then the PNGs, each named NNxNN/… by its size.
set -euo pipefail
out=$1
shift
u16() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $(($1 >> 8 & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $(($1 >> 16)); }
{
    u16 0
    u16 1
    u16 $#
    offset=$((6 + 16 * $#))
    for png in "$@"; do
        size=$(basename "$(dirname "$(dirname "$png")")")
        size=${size%%x*}
        bytes=$(stat -c %s "$png")
        # A width and height of 256 are written as 0.
        printf "\\$(printf %03o $((size & 255)))\\$(printf %03o $((size & 255)))\\000\\000"
        u16 1
        u16 32
        u32 "$bytes"
        u32 "$offset"
        offset=$((offset + bytes))
    done
    cat "$@"
} >"$out"
