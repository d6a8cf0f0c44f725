#!/usr/bin/env bash
# Builds and runs the fuzz targets.
#   fuzz.sh build DIR                     configure and build the fuzz project in DIR
#   fuzz.sh smoke DIR SECONDS TARGET      run TARGET on its seeds plus a throw-away corpus
#   fuzz.sh run DIR SECONDS [TARGET...]   run each (default: all) with a corpus kept in DIR
# A crash or a failed check ends the run with a non-zero status and leaves the
# input under DIR/artifacts/.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
targets=(level_file_fuzz board_fuzz saved_game_fuzz settings_fuzz solver_fuzz deducer_fuzz
    bitmap_fuzz picture_fuzz help_fuzz art_cache_fuzz)

die() {
    echo "fuzz: $*" >&2
    exit 1
}

# Input sizes: a level file a little beyond 500 records, one level record and
# a seed, a saved game a little beyond 500 bytes, a settings file, one level
# record (the solver's and the deducer's), a small bitmap, a small picture, a
# help file of a few pages, a cache entry of a few small images.
max_len() {
    case "$1" in
    level_file_fuzz) echo 32000 ;;
    board_fuzz) echo 71 ;;
    saved_game_fuzz) echo 600 ;;
    settings_fuzz) echo 4096 ;;
    solver_fuzz) echo 63 ;;
    deducer_fuzz) echo 63 ;;
    bitmap_fuzz) echo 8192 ;;
    picture_fuzz) echo 8192 ;;
    help_fuzz) echo 16384 ;;
    art_cache_fuzz) echo 4096 ;;
    *) die "unknown target $1" ;;
    esac
}

build() {
    local dir="$1"
    command -v clang++ >/dev/null 2>&1 ||
        die "clang++ not found; the fuzz targets need clang and libFuzzer: run scripts/install-deps (packages clang, libclang-rt-14-dev)"
    mkdir -p "$dir"
    if ! cmake -S "$here" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$dir/configure.log" 2>&1; then
        cat "$dir/configure.log" >&2
        die "configuring the fuzz project failed"
    fi
    cmake --build "$dir" -j"$(nproc)"
}

# run_one DIR SECONDS TARGET CORPUS: fuzzes, then prints the executions.
run_one() {
    local dir="$1" seconds="$2" target="$3" corpus="$4"
    local exe="$dir/$target" log="$dir/logs/$target.log"
    [ -x "$exe" ] || die "$exe is not built (fuzz.sh build $dir)"
    mkdir -p "$dir/artifacts" "$dir/logs" "$corpus"
    local status=0
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0" \
        "$exe" -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 \
        -seed="${FUZZ_SEED:-0}" \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artifacts/$target-" \
        "$corpus" "$here/corpus/$target" >"$log" 2>&1 || status=$?
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log" >&2
        die "$target failed (status $status); input saved under $dir/artifacts/"
    fi
    echo "$target: ${runs:-?} executions in ${seconds} s, corpus $(find "$corpus" -type f | wc -l) inputs"
}

case "${1:-}" in
build)
    [ $# -eq 2 ] || die "usage: fuzz.sh build DIR"
    build "$2"
    ;;
smoke)
    [ $# -eq 4 ] || die "usage: fuzz.sh smoke DIR SECONDS TARGET"
    work="$(mktemp -d "$2/smoke-$4-XXXXXX")"
    trap 'rm -rf "$work"' EXIT
    # The smoke in the test suite draws the same inputs on every run.
    FUZZ_SEED="${FUZZ_SEED:-1}" run_one "$2" "$3" "$4" "$work"
    ;;
run)
    [ $# -ge 3 ] || die "usage: fuzz.sh run DIR SECONDS [TARGET...]"
    dir="$2" seconds="$3"
    shift 3
    [ $# -gt 0 ] || set -- "${targets[@]}"
    for t in "$@"; do
        run_one "$dir" "$seconds" "$t" "$dir/corpus/$t"
    done
    ;;
*)
    die "usage: fuzz.sh build DIR | smoke DIR SECONDS TARGET | run DIR SECONDS [TARGET...]"
    ;;
esac
