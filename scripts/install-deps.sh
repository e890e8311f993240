#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Ramblenote needs to build, test and run; with --fuzz, those the fuzz
# targets need instead. Does nothing when everything is present; uses sudo when not root; never asks.
set -euo pipefail

PACKAGES=(
    build-essential
    cmake
    ninja-build
    pkg-config
    qt6-base-dev
    libgl-dev
    libx11-dev
    libicu-dev
    libgtest-dev
    libgmock-dev
    googletest
    libbenchmark-dev
    fonts-ipafont
    # Qt's own texts (standard buttons, file dialogs, text field menus) in Japanese.
    qt6-translations-l10n
    time
    # The install test validates the desktop entry, the MIME package and the AppStream file with these.
    desktop-file-utils
    appstream
    shared-mime-info
    # `cpack -G DEB` finds the libraries the program needs with it.
    file
    # ./test.sh checks the format of the sources; scripts/lint.sh runs clang-tidy.
    clang-format
    clang-tidy
    # The PDF tests read the pages back with pdftotext, pdfinfo and pdffonts.
    poppler-utils
    # The manual pages are made from --help; the package test runs lintian on the .deb.
    help2man
    lintian
)
# The fuzz targets (scripts/fuzz.sh, the smoke run of ./test.sh) need clang and its libFuzzer runtime.
if [ "${1:-}" = "--fuzz" ]; then
    PACKAGES=(clang libclang-rt-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo -n)
else
    echo "Packages missing (${missing[*]}) and neither root nor sudo is available." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
