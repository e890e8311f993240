#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Ramblenote and starts it. Arguments are passed to the program.
#
# The first time, the program puts a copy of its sample document (a short guide to Ramblenote, written
# as a Ramblenote document) into the per-user data directory and opens it. After that it reopens
# whatever the user had open last.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/build.sh"
build="${RAMBLENOTE_BUILD_DIR:-$root/build}"
exec "$build/bin/ramblenote" "$@"
