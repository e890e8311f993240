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
