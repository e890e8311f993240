#!/bin/sh
# SPDX-License-Identifier: MIT
# Times `ramblenote --search` on the export benchmark's document (20,000 nodes, about 50 MB of bodies)
# against grep over the same body files:
#   - a key that is in no body, against `LC_ALL=C grep -cF` of the key's CP932 bytes;
#   - a key with hundreds of thousands of hits, against `LC_ALL=C grep -oF ... | wc -l`;
# and reports the ratios and the peak resident memory of the absent-key search.
#
#   bench/search_bench.sh [BIN_DIR] [RUNS]
#
# BIN_DIR holds ramblenote and export_bench_gen (default: build/bin). The best of RUNS (default 5)
# runs counts for each side, with the files in the page cache.
set -eu

. "$(dirname "$0")/bench_common.sh"
bench_setup search "${1:-build/bin}" "${2:-5}"
command -v iconv >/dev/null || { echo "iconv is missing" >&2; exit 2; }
bench_document

ABSENT="検索されない語"
MANY="テスト"
ABSENT_SJIS=$(printf '%s' "$ABSENT" | iconv -f UTF-8 -t CP932)
MANY_SJIS=$(printf '%s' "$MANY" | iconv -f UTF-8 -t CP932)

grep_count() { xargs -0 env LC_ALL=C grep -cF -- "$ABSENT_SJIS" < "$DOC/bodies.lst" > "$WORK/grep.out" || true; }
grep_hits() { xargs -0 env LC_ALL=C grep -ohF -- "$MANY_SJIS" < "$DOC/bodies.lst" | wc -l > "$WORK/grep.out"; }
search_absent() { "$BIN/ramblenote" --search "$ABSENT" "$DOC/bench.Rnote" > "$WORK/search.out" 2>&1 || true; }
search_many() { "$BIN/ramblenote" --search "$MANY" "$DOC/bench.Rnote" > "$WORK/search.out"; }

# Warm the page cache on both sides.
grep_count
search_absent
GREP_ABSENT_NS=$(best_of grep_count)
SEARCH_ABSENT_NS=$(best_of search_absent)
grep_hits
GREP_HITS=$(cat "$WORK/grep.out")
GREP_MANY_NS=$(best_of grep_hits)
SEARCH_MANY_NS=$(best_of search_many)
SEARCH_HITS=$(($(grep -c '' "$WORK/search.out") - 2))
OUT_BYTES=$(wc -c < "$WORK/search.out")

RSS_KB=$(peak_rss_kb "$BIN/ramblenote" --search "$ABSENT" "$DOC/bench.Rnote")

# A body written as one line of 300,000 bytes, searched for a key that is every byte of it: each of
# the 300,000 result lines shows at most 200 characters of the line.
mkdir "$WORK/line"
printf 'line.TXT\r\n' > "$WORK/line/line.Rnote"
head -c 300000 /dev/zero | tr '\0' a > "$WORK/line/line.TXT"
search_line() { "$BIN/ramblenote" --search a "$WORK/line/line.Rnote" > "$WORK/line.out"; }
LINE_NS=$(best_of search_line)
LINE_RSS_KB=$(peak_rss_kb "$BIN/ramblenote" --search a "$WORK/line/line.Rnote")

awk -v nodes="$NODES" -v bytes="$BYTES" -v ga="$GREP_ABSENT_NS" -v sa="$SEARCH_ABSENT_NS" \
    -v gm="$GREP_MANY_NS" -v sm="$SEARCH_MANY_NS" -v gh="$GREP_HITS" -v sh="$SEARCH_HITS" \
    -v out="$OUT_BYTES" -v rss="$RSS_KB" -v ln="$LINE_NS" -v lrss="$LINE_RSS_KB" 'BEGIN {
    printf "document          : %d nodes, %.1f MB of bodies\n", nodes, bytes / 1048576
    printf "absent key        : grep -cF %8.1f ms, --search %8.1f ms, ratio %5.2f (target: 2.00 or less)\n", \
        ga / 1e6, sa / 1e6, sa / ga
    printf "key with many hits: grep -oF %8.1f ms, --search %8.1f ms, ratio %5.2f (target: 4.00 or less)\n", \
        gm / 1e6, sm / 1e6, sm / gm
    printf "hits              : grep %d byte matches, --search %d occurrences (%.1f MB of list)\n", gh, sh, out / 1048576
    if (rss != "") printf "peak RSS (absent) : %8.1f MB (target: below 64 MB)\n", rss / 1024
    else print "peak RSS (absent) : unknown (/usr/bin/time missing: Debian package \"time\")"
    printf "one 300 kB line   : --search %8.1f ms (target: below 2000 ms)", ln / 1e6
    if (lrss != "") printf ", peak RSS %6.1f MB (target: below 100 MB)", lrss / 1024
    printf "\n"
}'
