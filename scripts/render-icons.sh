#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the program icon's PNG sizes from its SVG. Run after changing the SVG; the PNGs are kept in
# the repository so that building needs no SVG renderer. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
icons="$(cd "$(dirname "${BASH_SOURCE[0]}")/../resources/desktop/icons" && pwd)"
name=org.ramblenote.Ramblenote
for size in 16 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$icons/$name.svg" -o "$icons/${size}x${size}/$name.png"
done
