#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Formats the C++ sources with .clang-format; with --check, only says which files differ and fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = "--check" ]; then
    if ! clang-format --dry-run --Werror "${files[@]}" 2>/dev/null; then
        echo "format: these files differ from .clang-format (scripts/format.sh fixes them):" >&2
        for f in "${files[@]}"; do
            clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "  $f" >&2
        done
        exit 1
    fi
    exit 0
fi
clang-format -i "${files[@]}"
