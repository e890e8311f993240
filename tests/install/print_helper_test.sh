#!/usr/bin/env bash
# The print helper: a Shift-JIS body reaches lp as UTF-8 with LF line ends, titled with the node's
# name; without lp, with a refusing lp, with a file that is no Shift-JIS and with wrong arguments it
# ends non-zero with a message.
# Usage: print_helper_test.sh HELPER
set -uo pipefail
helper="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# The failures below must not reach the desktop of whoever runs the tests.
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
fail() {
    echo "print helper test: $*" >&2
    exit 1
}

# A fake lp that keeps its arguments and the file it was given.
mkdir -p "$tmp/fake" "$tmp/empty" "$tmp/my docs"
cat >"$tmp/fake/lp" <<'LP'
#!/bin/bash
printf '%s\n' "$@" >"$LP_DIR/args"
cp "${@: -1}" "$LP_DIR/printed"
echo "request id is fake-1 (1 file(s))"
LP
chmod +x "$tmp/fake/lp"
body="$tmp/my docs/第1章 はじめに.TXT"
printf '\x88\xea\x8d\x73\x96\xda\r\nline 2' >"$body"   # 一行目 CR LF line 2

tools="$(dirname "$(command -v iconv)")"
LP_DIR="$tmp" PATH="$tmp/fake:$tools:/usr/bin:/bin" "$helper" /p "$body" >"$tmp/out" 2>&1 || fail "printing failed: $(cat "$tmp/out")"
[[ "$(cat "$tmp/args")" == $'-t\n第1章 はじめに.TXT\n'* ]] || fail "lp arguments: $(cat "$tmp/args")"
[[ "$(cat "$tmp/printed")" == $'一行目\nline 2' ]] || fail "printed text: $(od -c "$tmp/printed" | head)"

# A file whose name reads like an option is printed, and no tool takes it for one.
printf 'x\r\n' >"$tmp/-o.victimrc"
(cd "$tmp" && LP_DIR="$tmp" PATH="$tmp/fake:$tools:/usr/bin:/bin" "$helper" /p -o.victimrc) >"$tmp/out" 2>&1 ||
    fail "printing -o.victimrc failed: $(cat "$tmp/out")"
[[ ! -e "$tmp/.victimrc" && "$(cat "$tmp/printed")" == x ]] || fail "-o.victimrc was read as an option"

expect() {  # expect CODE TEXT command...
    local code="$1" text="$2"
    shift 2
    "$@" >"$tmp/out" 2>&1
    local got=$?
    [[ $got -eq $code ]] || fail "$* ended with $got, not $code: $(cat "$tmp/out")"
    grep -q -- "$text" "$tmp/out" || fail "$* said: $(cat "$tmp/out")"
}
# No print system: nothing named lp on the PATH.
for t in bash iconv tr mktemp rm dirname; do ln -s "$(command -v "$t")" "$tmp/empty/$t"; done
expect 3 "印刷システムがありません" env PATH="$tmp/empty" "$helper" /p "$body"
# A print system that refuses the job.
printf '#!/bin/sh\necho "lp: Error - Scheduler Not Responding." >&2\nexit 1\n' >"$tmp/fake/lp"
expect 4 "Scheduler Not Responding" env PATH="$tmp/fake:/usr/bin:/bin" "$helper" /p "$body"
# A byte that is no Shift-JIS character.
printf 'ok\x85\x40' >"$tmp/bad.TXT"
expect 1 "Shift-JIS" env PATH="$tmp/fake:/usr/bin:/bin" "$helper" /p "$tmp/bad.TXT"
expect 1 "を読めません" "$helper" /p "$tmp/missing.TXT"
expect 2 "usage" "$helper" "$body"
echo "print helper test: passed"
