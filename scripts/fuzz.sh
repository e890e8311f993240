#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target for SECONDS seconds (default 60) and reports executions per target.
#
#   scripts/fuzz.sh [SECONDS]
#
# The targets are built with clang, libFuzzer, ASan and UBSan in their own build folder
# (build-fuzz/, or $RAMBLENOTE_FUZZ_BUILD_DIR); the normal build is not touched. Each target starts
# from its seed corpus fuzz/corpus/<target>/ (read only) and keeps the inputs it finds in
# build-fuzz/corpus/<target>/. A crashing input is kept in build-fuzz/crashers/<target>/ together
# with REPRODUCE, the command that runs it again.
#
# Exit status: 0 when every target ran clean, 1 when one failed, 77 when clang with libFuzzer is not
# installed (nothing was run; scripts/install-deps.sh --fuzz installs it).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${RAMBLENOTE_FUZZ_BUILD_DIR:-$root/build-fuzz}"
cxx="${RAMBLENOTE_FUZZ_CXX:-clang++}"

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: scripts/fuzz.sh [SECONDS]" >&2
    exit 2
fi

"$root/scripts/install-deps.sh" >&2
"$root/scripts/install-deps.sh" --fuzz >&2 || true  # without them the run is skipped below
# libFuzzer comes with clang's runtime libraries (Debian: libclang-rt-dev), not with clang itself.
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
if ! command -v "$cxx" >/dev/null 2>&1 ||
    ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
    echo "fuzz: skipped, $cxx with libFuzzer is not installed (Debian: clang libclang-rt-dev)" >&2
    exit 77
fi

if [ ! -f "$build/build.ninja" ]; then
    launcher=()
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
        -DRAMBLENOTE_GUI=OFF -DRAMBLENOTE_FUZZ=ON "${launcher[@]}" \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
        >/dev/null
fi
if ! cmake --build "$build" --target fuzz_targets --parallel "$(nproc)" >"$build/build.log" 2>&1; then
    cat "$build/build.log" >&2
    exit 1
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=0
printf '%-18s %12s  %s\n' target executions result
for binary in "$build"/fuzz/fuzz_*; do
    name="$(basename "$binary")"
    corpus="$build/corpus/$name"
    crashers="$build/crashers/$name"
    log="$build/logs/$name.log"
    mkdir -p "$corpus" "$crashers" "$(dirname "$log")"
    seeds=()
    if [ -d "$root/fuzz/corpus/$name" ]; then
        seeds=("$root/fuzz/corpus/$name")
    fi
    result=ok
    # New inputs go to the first corpus folder only, so the seeds in the repository stay as they are.
    if ! "$binary" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
        -artifact_prefix="$crashers/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        result="FAILED, see $log"
        failed=1
        for crash in "$crashers"/*; do
            [ -f "$crash" ] && [ "$(basename "$crash")" != REPRODUCE ] || continue
            echo "$binary $crash" >>"$crashers/REPRODUCE"
            result="$result; reproduce: $binary $crash"
        done
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    printf '%-18s %12s  %s\n' "$name" "${runs:-?}" "$result"
done
exit "$failed"
