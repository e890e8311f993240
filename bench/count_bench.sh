#!/bin/sh
# SPDX-License-Identifier: MIT
# Times `ramblenote --count` on the export benchmark's document (20,000 nodes, about 50 MB of CP932
# bodies) against `wc -m` over a UTF-8 copy of the same bodies, and reports the ratio.
#
#   bench/count_bench.sh [BIN_DIR] [RUNS]
#
# BIN_DIR holds ramblenote and export_bench_gen (default: build/bin). The best of RUNS (default 5)
# runs counts for each side, with the files in the page cache. wc counts characters in the C.UTF-8
# locale, so that it decodes the copy as the command decodes the bodies.
set -eu

. "$(dirname "$0")/bench_common.sh"
bench_setup count "${1:-build/bin}" "${2:-5}"
bench_document 50 "$WORK/utf8"
UTF8_BYTES=$(xargs -0 cat -- < "$WORK/utf8/utf8.lst" | wc -c)

wc_all() { LC_ALL=C.UTF-8 xargs -0 wc -m -- < "$WORK/utf8/utf8.lst" > "$WORK/wc.out"; }
count_all() { "$BIN/ramblenote" --count "$DOC/bench.Rnote" > "$WORK/count.out"; }

wc_all
count_all  # warm the page cache on both sides
WC_NS=$(best_of wc_all)
COUNT_NS=$(best_of count_all)

awk -v nodes="$NODES" -v bytes="$BYTES" -v utf8="$UTF8_BYTES" -v w="$WC_NS" -v c="$COUNT_NS" \
    -v total="$(tail -n 1 "$WORK/count.out")" 'BEGIN {
    printf "document      : %d nodes, %.1f MB of bodies (%.1f MB in UTF-8)\n", nodes, bytes / 1048576, utf8 / 1048576
    printf "wc -m         : %8.1f ms\n", w / 1e6
    printf "--count       : %8.1f ms  (%s)\n", c / 1e6, total
    printf "ratio         : %8.2f x wc -m (target: 2.00 or less)\n", c / w
}'
