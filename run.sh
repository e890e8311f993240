#!/usr/bin/env bash
# Builds Ramblenote and starts it. Arguments are passed to the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/build.sh"
build="${RAMBLENOTE_BUILD_DIR:-$root/build}"
exec "$build/bin/ramblenote" "$@"
