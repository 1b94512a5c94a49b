#!/usr/bin/env bash
# Renders packaging/vorna7.svg into the PNG sizes the desktop wants. The PNGs are committed, so
# a build needs no converter; run this (needs rsvg-convert, package librsvg2-bin) after
# changing the SVG.
set -euo pipefail
packaging="$(cd "$(dirname "$0")/../packaging" && pwd)"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$packaging/icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$packaging/vorna7.svg" -o "$packaging/icons/${size}x${size}/vorna7.png"
done
