#!/usr/bin/env bash
# Sets up the machine, checks the layers and the formatting, then builds and
# runs every test three times (the presets of CMakePresets.json: Release
# builds with GCC and with clang, and an AddressSanitizer +
# UndefinedBehaviorSanitizer build), runs the side-by-side benchmark briefly
# and the fuzzers for a bounded time. Exits non-zero on any failure or
# finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
fuzz_seconds=${STRIVELO_FUZZ_SECONDS:-60}

bash "$root/scripts/install-deps.sh"

cd "$root"

echo "== layers and formatting =="
bash scripts/check-layers.sh
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror

build_and_test() {
    local preset=$1
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j"$jobs"
    ctest --preset "$preset" -j"$jobs"
}

# Release, as users and the benchmarks build it.
echo "== normal build =="
build_and_test normal

# A smoke run, not a timing gate: it fails only when the program does, as on a
# wrong read.
echo "== benchmark smoke run =="
"$root/build/bench/strivelo_sidebyside" --smoke

echo "== sanitizer build =="
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build_and_test sanitize

# clang warns about other things than GCC.
echo "== clang build =="
build_and_test clang

echo "== fuzzing =="
cmake --preset fuzz
cmake --build --preset fuzz -j"$jobs"
# The fuzzers run side by side, one per core at most, each in a scratch folder
# that goes however the script ends; an input that made one fail is kept in
# the build folder, named after the fuzzer, and its log is shown.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for seeds in "$root"/tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    mkdir "$scratch/$name"
    echo "-- ${name}_fuzzer for ${fuzz_seconds}s"
    (
        cd "$scratch/$name"
        status=0
        "$root/build-fuzz/tests/fuzz/${name}_fuzzer" -max_total_time="$fuzz_seconds" \
            -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$root/build-fuzz/${name}-" "$scratch/$name" "$seeds" \
            > "$scratch/$name.log" 2>&1 || status=$?
        echo "$status" > "$scratch/$name.status"
    ) &
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
done
wait
failed=0
for log in "$scratch"/*.log; do
    name=$(basename "$log" .log)
    if [ "$(cat "$scratch/$name.status")" -eq 0 ]; then
        grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/   $name: /"
    else
        echo "-- ${name}_fuzzer failed:"
        tail -n 60 "$log"
        failed=1
    fi
done
[ "$failed" -eq 0 ]
echo "all builds, tests and fuzzers passed"
