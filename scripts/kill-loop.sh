#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Kills the program with SIGKILL at random moments while it saves a large document again and again
# (tests/reliability/kill_loop_driver), KILLS times (default 200). After each kill every file must
# hold its old or its new content, complete, and the document must open; the next run goes on from
# what the kill left. A failure keeps the work folder for inspection and exits 1.
#
#   RAMBLENOTE_BIN_DIR          the built programs (default: build with scripts/build.sh, use build/bin)
#   RAMBLENOTE_KILL_LOOP_NODES  nodes of the generated document (default 3000)
#   RAMBLENOTE_KILL_LOOP_DELAY  longest wait before a kill, in milliseconds (default 2000)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kills="${1:-200}"
nodes="${RAMBLENOTE_KILL_LOOP_NODES:-3000}"
longest="${RAMBLENOTE_KILL_LOOP_DELAY:-2000}"
bin="${RAMBLENOTE_BIN_DIR:-}"
if [ -z "$bin" ]; then
    "$root/scripts/build.sh"
    bin="${RAMBLENOTE_BUILD_DIR:-$root/build}/bin"
fi
export QT_QPA_PLATFORM=offscreen
work="$(mktemp -d "${TMPDIR:-/tmp}/kill-loop.XXXXXX")"

fail() {
    echo "kill-loop: $*" >&2
    echo "kill-loop: the files as the kill left them are in $work" >&2
    exit 1
}

"$bin/kill_loop_driver" create "$work" "$nodes" 2>"$work/driver.log" || fail "the document could not be generated"
in_command=0
in_write=0
declare -A interrupted=()
for ((i = 1; i <= kills; i++)); do
    "$bin/kill_loop_driver" run "$work" "$i" 2>"$work/driver.log" &
    pid=$!
    # Most kills wait until the document is open, so that they land among the saves; some hit the start.
    if ((RANDOM % 10)); then
        until grep -qs READY "$work/journal" || ! kill -0 "$pid" 2>/dev/null; do
            sleep 0.01
        done
    fi
    # From no delay to the longest, a third of them within 20 ms and another within 300 ms.
    case $((RANDOM % 3)) in
        0) delay=$((RANDOM % 20)) ;;
        1) delay=$((RANDOM % 300)) ;;
        *) delay=$((RANDOM * longest / 32768)) ;;
    esac
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    kill -KILL "$pid" 2>/dev/null || true
    status=0
    wait "$pid" 2>/dev/null || status=$?
    if [ "$status" -ne 137 ]; then
        cat "$work/driver.log" >&2
        fail "run $i: the driver ended by itself (exit $status) before the kill"
    fi
    result="$("$bin/kill_loop_check" "$work")" || fail "run $i: the files are not as they should be after the kill"
    "$bin/ramblenote" --count "$work/doc/kill.Rnote" >/dev/null || fail "run $i: the document does not open"
    read -r command temporaries <<<"$result"
    interrupted[$command]=$((${interrupted[$command]:-0} + 1))
    [ "$command" = - ] || in_command=$((in_command + 1))
    [ "$temporaries" = 0 ] || in_write=$((in_write + 1))
    ((i % 25)) || echo "kill-loop: $i of $kills kills survived" >&2
done

summary=""
for command in "${!interrupted[@]}"; do
    [ "$command" = - ] || summary+=" $command ${interrupted[$command]},"
done
echo "kill-loop: $kills kills, $in_command inside a command,$summary $in_write inside a file write (temporary left); 0 failures"
rm -rf "$work"
