#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the built program into a temporary DESTDIR and uses it as a user would: the headless export
# of the installed guide, a first desktop start, and the validators of the desktop files when present.
# Nothing may be written into the installed tree by a run.
# Usage: install_test.sh BUILD_DIR [desktop|headless-only]
set -euo pipefail
build="$1"
desktop="${2:-desktop}"
tmp="$(mktemp -d)"
pid=""
trap '[[ -n "$pid" ]] && kill "$pid" 2>/dev/null; rm -rf "$tmp"' EXIT
fail() {
    echo "install test: $*" >&2
    exit 1
}

dest="$tmp/dest"
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"
id=org.ramblenote.Ramblenote
guide="$root/share/ramblenote/sample/Ramblenoteの使い方.Rnote"

[[ "$(ls -A "$dest")" == usr ]] || fail "files outside the prefix: $(ls -A "$dest")"
[[ -x "$root/bin/ramblenote-print" ]] || fail "the print helper is not installed as a program"
for f in bin/ramblenote share/ramblenote/Res/Ramblenote.Ini "${guide#"$root/"}" share/applications/$id.desktop \
    share/mime/packages/$id.xml share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
    share/doc/ramblenote/copyright share/doc/ramblenote/changelog.gz share/man/man1/ramblenote.1.gz \
    share/man/man1/ramblenote-print.1.gz; do
    [[ -f "$root/$f" ]] || fail "not installed: $f"
done
for size in 16 32 48 64 128 256; do
    png="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    [[ "$(od -An -tx1 -j16 -N8 "$png" 2>/dev/null | tr -d ' \n')" == "$(printf '%08x%08x' "$size" "$size")" ]] ||
        fail "icon $png is not ${size}x${size}"
done

snapshot() { (cd "$dest" && find . -printf '%y %m %p\n' | sort && find . -type f -exec md5sum {} + | sort); }
before="$(snapshot)"

# A user of their own: nothing of the machine's user is read or written.
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen
unset XDG_CONFIG_HOME XDG_DATA_HOME
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"

[[ "$("$root/bin/ramblenote" --version)" == "ramblenote "* ]] || fail "--version"
"$root/bin/ramblenote" --export "$tmp/out.TXT" --toc "$tmp/toc.TXT" "$guide" || fail "--export failed"
iconv -f CP932 -t UTF-8 "$tmp/out.TXT" >"$tmp/out.utf8" && grep -q '^第1章' "$tmp/out.utf8" ||
    fail "the export has no numbered heading"
[[ -s "$tmp/toc.TXT" ]] || fail "the export wrote no table of contents"

# The first desktop start copies the guide into the per-user data directory and opens it; the
# settings go to the per-user directory and are written when the program is told to end.
if [[ "$desktop" == desktop ]]; then
    "$root/bin/ramblenote" 2>"$tmp/desktop.err" &
    pid=$!
    copy="$HOME/.local/share/ramblenote/sample"
    for _ in $(seq 600); do
        [[ -d "$copy" ]] || ! kill -0 "$pid" 2>/dev/null && break
        sleep 0.1
    done
    [[ -d "$copy" ]] || fail "the first start put no guide into $copy"
    kill -TERM "$pid"
    wait "$pid" || fail "the program ended with $?: $(cat "$tmp/desktop.err")"
    pid=""
    settings="$HOME/.config/ramblenote/Res/Ramblenote.Ini"
    LC_ALL=C grep -aq "^TreeFileName=$copy/.*\.Rnote"$'\r'"\$" "$settings" ||
        fail "the guide was not the open document: $(LC_ALL=C grep -a TreeFileName "$settings")"
fi

[[ "$(snapshot)" == "$before" ]] || fail "a run changed the installed tree: $(diff <(echo "$before") <(snapshot) | head)"

# The validators, where the machine has them.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >"$tmp/appstream" ||
        fail "metainfo: $(cat "$tmp/appstream")"
elif command -v appstream-util >/dev/null; then
    appstream-util validate-relax --nonet "$root/share/metainfo/$id.metainfo.xml" || fail "metainfo"
fi
if command -v update-mime-database >/dev/null; then
    mkdir -p "$tmp/mime/packages"
    cp "$root/share/mime/packages/$id.xml" "$tmp/mime/packages/"
    PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$tmp/mime" 2>"$tmp/mime.err" || fail "MIME: $(cat "$tmp/mime.err")"
    grep -q 'application/x-ramblenote:\*\.rnote' "$tmp/mime/globs2" || fail "no *.rnote in the MIME globs"
    grep -q 'xml:lang="ja"' "$tmp/mime/application/x-ramblenote.xml" || fail "no Japanese MIME comment"
fi
grep -qx 'MimeType=application/x-ramblenote;' "$root/share/applications/$id.desktop" || fail "desktop MimeType"
grep -q '<project_license>MIT</project_license>' "$root/share/metainfo/$id.metainfo.xml" || fail "no project licence"

# Each manual page lists as options exactly the options its program's usage lines name.
usage_options() { "$1" --help | grep -E '^(Usage|  or):' | grep -oE '(^| |\[)(--?[a-z]*|/[a-z])' | tr -d ' [' | sort -u; }
manual_options() {
    zcat "$1" | sed -n '/^\.SH OPTIONS/,/^\.SH/{/^\.TP/{n;p}}' | sed -e 's/\\f[BIRP]//g' -e 's/\\[,/]//g' \
        -e 's/\\-/-/g' | cut -d' ' -f1 | sort -u
}
for program in ramblenote ramblenote-print; do
    page="$root/share/man/man1/$program.1.gz"
    [[ "$(zcat "$page" | head -c 3)" == .\\\" ]] || fail "$page is no manual page"
    diff <(usage_options "$root/bin/$program") <(manual_options "$page") >"$tmp/options.diff" ||
        fail "the manual of $program and its usage name other options: $(cat "$tmp/options.diff")"
done
echo "install test: passed"
