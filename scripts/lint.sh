#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs clang-tidy with the project's checks (.clang-tidy, and each layer's naming rule) over every
# source file of src/, with the compile commands of the normal build in build/. Any finding fails it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RAMBLENOTE_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >/dev/null
cd "$root"
mapfile -t files < <(git ls-files -- 'src/*.cpp')
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet >"$log" 2>/dev/null || true
if grep -q 'warning:\|error:' "$log"; then
    grep -A3 'warning:\|error:' "$log" >&2
    echo "lint: $(grep -c 'warning:\|error:' "$log") findings" >&2
    exit 1
fi
echo "lint: ${#files[@]} files clean"
