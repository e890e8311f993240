#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Ramblenote and runs every test. Exits non-zero when anything fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/build.sh"
# The sources keep the one format of .clang-format.
"$root/scripts/format.sh" --check
build="${RAMBLENOTE_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)"

# A short run of every fuzz target; scripts/fuzz.sh SECONDS runs them for longer.
smoke="${RAMBLENOTE_FUZZ_SMOKE_SECONDS:-3}"
if [ "$smoke" != 0 ]; then
    status=0
    "$root/scripts/fuzz.sh" "$smoke" || status=$?
    # 77: no clang with libFuzzer on this machine; the script has said so.
    if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
        exit "$status"
    fi
fi
