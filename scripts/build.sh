#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures and builds Ramblenote in build/ (Release with debug info, Ninja).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="${RAMBLENOTE_BUILD_DIR:-$root/build}"
if [ ! -f "$build/build.ninja" ]; then
    launcher=()
    # A compiler cache, when the machine has one, makes rebuilds in several checkouts cheap.
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
# Warnings as errors when asked for (CI), and back to plain warnings when not.
werror=OFF
[ "${RAMBLENOTE_WERROR:-0}" = 1 ] && werror=ON
if ! grep -q "^RAMBLENOTE_WERROR:BOOL=$werror\$" "$build/CMakeCache.txt" 2>/dev/null; then
    cmake -S "$root" -B "$build" -DRAMBLENOTE_WERROR="$werror" >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
