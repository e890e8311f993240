#!/usr/bin/env bash
# Builds Ramblenote and starts it. Arguments are passed to the program.
#
# The first time, a copy of the sample document (a short guide to Ramblenote, written as a Ramblenote
# document) is put into the per-user data directory and opened, so that a newcomer starts with a real
# document. After that the program reopens whatever the user had open last.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/build.sh"
build="${RAMBLENOTE_BUILD_DIR:-$root/build}"

# $XDG_DATA_HOME only counts when it is an absolute path.
data_home="${XDG_DATA_HOME:-}"
[[ "$data_home" == /* ]] || data_home="${HOME:+$HOME/.local/share}"
sample_source="$root/resources/sample"
if [[ -n "$data_home" && -d "$sample_source" ]]; then
    sample="$data_home/ramblenote/sample"
    if [[ ! -e "$sample" ]]; then
        # Copied under another name first, so that an interrupted copy is never taken for a done one.
        mkdir -p "$data_home/ramblenote"
        partial="$(mktemp -d "$data_home/ramblenote/.sample.XXXXXX")"
        cp -R "$sample_source/." "$partial/"
        chmod 755 "$partial"
        mv "$partial" "$sample"
        if [[ $# -eq 0 ]]; then
            for tree in "$sample"/*.Rnote; do
                [[ -f "$tree" ]] && set -- "$tree"
                break
            done
        fi
    fi
fi

exec "$build/bin/ramblenote" "$@"
