# SPDX-License-Identifier: MIT
# Shared by the whole-program timing scripts (sourced, not run).

# bench_setup NAME BIN_DIR RUNS: sets BIN and RUNS, checks that BIN holds ramblenote and
# export_bench_gen, and makes the work directory WORK, removed at exit.
bench_setup() {
    BIN=$2
    RUNS=$3
    for p in "$BIN/ramblenote" "$BIN/export_bench_gen"; do
        [ -x "$p" ] || { echo "missing $p (build the project with Google Benchmark installed)" >&2; exit 2; }
    done
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/rn-$1-bench.XXXXXX")
    trap 'rm -rf "$WORK"' EXIT INT TERM
}

now_ns() { date +%s%N; }

# Best wall time in nanoseconds of running "$@" RUNS times.
best_of() {
    best=
    i=0
    while [ "$i" -lt "$RUNS" ]; do
        start=$(now_ns)
        "$@"
        end=$(now_ns)
        t=$((end - start))
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
        i=$((i + 1))
    done
    echo "$best"
}

# bench_document [GENERATOR ARGS...]: writes the export benchmark's document to DOC ($WORK/doc) and
# sets BYTES (of all its bodies) and NODES.
bench_document() {
    DOC="$WORK/doc"
    "$BIN/export_bench_gen" "$DOC" "$@"
    BYTES=$(xargs -0 cat -- < "$DOC/bodies.lst" | wc -c)
    NODES=$(grep -c '' "$DOC/bench.Rnote")
}

# Peak resident memory in kB of running "$@" once; empty when /usr/bin/time is missing.
peak_rss_kb() {
    [ -x /usr/bin/time ] || return 0
    /usr/bin/time -v "$@" 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): *//p'
}
