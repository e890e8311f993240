#!/bin/sh
# SPDX-License-Identifier: MIT
# Times `ramblenote --export` on a 20,000-node document with about 50 MB of bodies (page breaks,
# indentation, separator lines and a table of contents) against `cat` of all body files into one file,
# and reports the ratio and the export's peak resident memory. When the GUI was built, the same run
# through the batch output dialog (offscreen, batchout_dialog_guibench) is set against --export too.
#
#   bench/export_bench.sh [BIN_DIR] [RUNS]
#
# BIN_DIR holds ramblenote and export_bench_gen (default: build/bin). The best of RUNS (default 5)
# runs counts for each side, with the files in the page cache.
set -eu

. "$(dirname "$0")/bench_common.sh"
bench_setup export "${1:-build/bin}" "${2:-5}"
bench_document
BODIES=$(tr -cd '\0' < "$DOC/bodies.lst" | wc -c)

cat_all() { xargs -0 cat -- < "$DOC/bodies.lst" > "$WORK/cat.out"; }
export_all() {
    "$BIN/ramblenote" --export "$WORK/export.TXT" --toc "$WORK/toc.TXT" --settings "$DOC/s.ini" "$DOC/bench.Rnote"
}

cat_all
export_all  # warm the page cache on both sides
CAT_NS=$(best_of cat_all)
EXPORT_NS=$(best_of export_all)

DIALOG_NS=
DIALOG_OPEN_NS=
if [ -x "$BIN/batchout_dialog_guibench" ]; then
    "$BIN/batchout_dialog_guibench" "$DOC" "$DOC/s.ini" "$WORK/dialog.TXT" "$WORK/dialog_toc.TXT" \
        "$RUNS" > "$WORK/dialog.times"
    DIALOG_NS=$(sed -n 's/^run //p' "$WORK/dialog.times")
    DIALOG_OPEN_NS=$(sed -n 's/^open //p' "$WORK/dialog.times")
    cmp -s "$WORK/dialog.TXT" "$WORK/export.TXT" && cmp -s "$WORK/dialog_toc.TXT" "$WORK/toc.TXT" ||
        { echo "the dialog's output differs from --export" >&2; exit 1; }
fi

RSS_KB=$(peak_rss_kb "$BIN/ramblenote" --export "$WORK/export.TXT" --toc "$WORK/toc.TXT" \
    --settings "$DOC/s.ini" "$DOC/bench.Rnote")

awk -v nodes="$NODES" -v bodies="$BODIES" -v bytes="$BYTES" -v c="$CAT_NS" -v e="$EXPORT_NS" \
    -v out="$(wc -c < "$WORK/export.TXT")" -v rss="$RSS_KB" -v d="$DIALOG_NS" -v dopen="$DIALOG_OPEN_NS" 'BEGIN {
    printf "document      : %d nodes, %d body files, %.1f MB of bodies\n", nodes, bodies, bytes / 1048576
    printf "cat           : %8.1f ms\n", c / 1e6
    printf "--export      : %8.1f ms  (output %.1f MB, with TOC)\n", e / 1e6, out / 1048576
    printf "ratio         : %8.2f x cat (target: 2.00 or less)\n", e / c
    if (d != "") {
        printf "dialog run    : %8.1f ms  (same bytes; opening the dialog %.1f ms)\n", d / 1e6, dopen / 1e6
        printf "dialog ratio  : %8.2f x --export (target: 1.50 or less)\n", d / e
    } else print "dialog run    : not built (batchout_dialog_guibench needs the GUI)"
    if (rss != "") printf "peak RSS      : %8.1f MB (target: below 64 MB)\n", rss / 1024
    else print "peak RSS      : unknown (/usr/bin/time missing: Debian package \"time\")"
}'
