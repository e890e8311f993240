#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The print helper: a Shift-JIS body reaches lp as a PDF of its pages (the Japanese font embedded,
# the layout chosen), titled with the node's name; without lp, without a printer, with a refusing lp,
# with an unreadable file and with wrong arguments it ends non-zero with a Japanese message.
# Usage: print_helper_test.sh HELPER (the one beside the program, in the build's bin/)
set -uo pipefail
helper="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# The failures below must not reach the desktop of whoever runs the tests.
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM
fail() {
    echo "print helper test: $*" >&2
    exit 1
}
command -v pdftotext >/dev/null || {
    echo "print helper test: skipped, pdftotext (poppler-utils) is not installed"
    exit 0
}

# A fake lp that keeps its arguments and the file it was given.
mkdir -p "$tmp/fake" "$tmp/empty" "$tmp/my docs"
cat >"$tmp/fake/lp" <<'LP'
#!/bin/bash
printf '%s\n' "$@" >"$LP_DIR/args"
cp -- "${@: -1}" "$LP_DIR/printed.pdf"
echo "request id is fake-1 (1 file(s))"
LP
chmod +x "$tmp/fake/lp"
body="$tmp/my docs/第1章 はじめに.TXT"
printf '\x88\xea\x8d\x73\x96\xda\r\nline 2\r\nok\x85\x40' >"$body" # 一行目 / line 2 / ok + a byte pair that is no character
export XDG_CONFIG_HOME="$tmp/config"
fakepath="$tmp/fake:/usr/bin:/bin"

LP_DIR="$tmp" RAMBLENOTE_PRINT_LAYOUT=a4-yoko PATH="$fakepath" "$helper" /p "$body" >"$tmp/out" 2>&1 ||
    fail "printing failed: $(cat "$tmp/out")"
[[ "$(cat "$tmp/args")" == $'-t\n第1章 はじめに.TXT\n--\n'*.pdf ]] || fail "lp arguments: $(cat "$tmp/args")"
text="$(pdftotext -layout "$tmp/printed.pdf" - | tr -s ' \n\f' ' ')"
# The title, every line, the mark for the character that cannot be printed, the page number.
[[ "$text" == "第1章 はじめに 一行目 l i n e 2 o k〓 1 " ]] || fail "printed text: $text"
pdffonts "$tmp/printed.pdf" | grep -q 'IPAMincho .* yes' || fail "the font is not embedded: $(pdffonts "$tmp/printed.pdf")"
pdfinfo "$tmp/printed.pdf" | grep -q 'Page size: *595 x 842' || fail "a4-yoko is not A4 portrait"
LP_DIR="$tmp" RAMBLENOTE_PRINT_LAYOUT=genko PATH="$fakepath" "$helper" /p "$body" >"$tmp/out" 2>&1 ||
    fail "printing on manuscript paper failed: $(cat "$tmp/out")"
pdfinfo "$tmp/printed.pdf" | grep -q 'Page size: *842 x 595' || fail "genko is not A4 landscape"

# A file whose name reads like an option is printed, and no tool takes it for one.
printf 'x\r\n' >"$tmp/-o.victimrc"
(cd "$tmp" && LP_DIR="$tmp" PATH="$fakepath" "$helper" /p -o.victimrc) >"$tmp/out" 2>&1 ||
    fail "printing -o.victimrc failed: $(cat "$tmp/out")"
[[ ! -e "$tmp/.victimrc" ]] && pdftotext "$tmp/printed.pdf" - | grep -qx x || fail "-o.victimrc was read as an option"

expect() { # expect CODE TEXT command...
    local code="$1" text="$2"
    shift 2
    "$@" >"$tmp/out" 2>&1
    local got=$?
    [[ $got -eq $code ]] || fail "$* ended with $got, not $code: $(cat "$tmp/out")"
    grep -q -- "$text" "$tmp/out" || fail "$* said: $(cat "$tmp/out")"
    ! grep -q -- "lp: lp:" "$tmp/out" || fail "$* doubled the prefix: $(cat "$tmp/out")"
}
# No print system: nothing named lp on the PATH.
for t in bash tr mktemp rm dirname readlink; do ln -s "$(command -v "$t")" "$tmp/empty/$t"; done
expect 3 "印刷システムがありません" env PATH="$tmp/empty" "$helper" /p "$body"
# No printer set up, as CUPS says it.
printf '#!/bin/sh\necho "lp: Error - No default destination." >&2\nexit 1\n' >"$tmp/fake/lp"
expect 3 "^ramblenote-print: プリンターが設定されていません" env PATH="$fakepath" "$helper" /p "$body"
# A print system that refuses the job.
printf '#!/bin/sh\necho "lp: Error - Scheduler Not Responding." >&2\nexit 1\n' >"$tmp/fake/lp"
expect 4 "印刷を受け付けられませんでした (Error - Scheduler Not Responding.)" env PATH="$fakepath" "$helper" /p "$body"
# A layout nobody knows makes no pages.
expect 1 "ページを作れません" env RAMBLENOTE_PRINT_LAYOUT=a5 PATH="$fakepath" "$helper" /p "$body"
expect 1 "を読めません" "$helper" /p "$tmp/missing.TXT"
expect 2 "usage" "$helper" "$body"
echo "print helper test: passed"
