#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as a distribution would take it: refused without a maintainer, and with one
# lintian reports no error and no warning.
# Usage: package_test.sh BUILD_DIR
set -uo pipefail
build="$1"
fail() {
    echo "package test: $*" >&2
    exit 1
}
if ! command -v lintian >/dev/null || ! command -v dpkg-deb >/dev/null; then
    echo "package test: skipped, lintian is not installed (scripts/install-deps.sh installs it)"
    exit 0
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/none" -D CPACK_DEBIAN_PACKAGE_MAINTAINER= \
    >"$tmp/none.log" 2>&1 && fail "a package without a maintainer was built"
grep -q "RAMBLENOTE_MAINTAINER" "$tmp/none.log" || fail "the refusal does not say what to set: $(cat "$tmp/none.log")"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/deb" \
    -D CPACK_DEBIAN_PACKAGE_MAINTAINER="Test Packager <packager@example.org>" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$tmp/cpack.log")"
deb="$(ls "$tmp"/deb/ramblenote_*.deb)" || fail "no package in $tmp/deb"
dpkg-deb -c "$deb" >"$tmp/contents" || fail "dpkg-deb cannot read $deb"
for f in doc/ramblenote/changelog.gz doc/ramblenote/copyright man/man1/ramblenote.1.gz man/man1/ramblenote-print.1.gz; do
    grep -q "./usr/share/$f\$" "$tmp/contents" || fail "not in the package: /usr/share/$f"
done
lintian --tag-display-limit 0 "$deb" 2>/dev/null >"$tmp/lintian" || true
if grep -E '^(E|W): ' "$tmp/lintian"; then
    fail "lintian reports the lines above"
fi
echo "package test: lintian clean"
