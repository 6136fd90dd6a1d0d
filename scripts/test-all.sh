#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test three times (Release
# builds with GCC and with clang, and an AddressSanitizer +
# UndefinedBehaviorSanitizer build), runs the side-by-side benchmark briefly
# and the fuzzers for a bounded time. Exits non-zero on any failure or
# finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
fuzz_seconds=${STRIVELO_FUZZ_SECONDS:-60}

bash "$root/scripts/install-deps.sh"

build_and_test() {
    local dir=$1
    shift
    cmake -S "$root" -B "$root/$dir" "$@"
    cmake --build "$root/$dir" -j"$jobs"
    ctest --test-dir "$root/$dir" --output-on-failure -j"$jobs" --timeout 600
}

# Release, as users and the benchmarks build it.
echo "== normal build =="
build_and_test build -DCMAKE_BUILD_TYPE=Release

# A smoke run, not a timing gate: it fails only when the program does, as on a
# wrong read.
echo "== benchmark smoke run =="
"$root/build/bench/strivelo_sidebyside" --smoke

echo "== sanitizer build =="
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build_and_test build-asan -DCMAKE_BUILD_TYPE=Debug -DSTRIVELO_SANITIZE=ON

# clang warns about other things than GCC.
echo "== clang build =="
build_and_test build-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++

echo "== fuzzing =="
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DSTRIVELO_FUZZ=ON
cmake --build "$root/build-fuzz" -j"$jobs"
# A fuzzer's scratch folder goes however the script ends; an input that made
# it fail is kept in the build folder, named after the fuzzer.
work=""
trap 'rm -rf "$work"' EXIT
for seeds in "$root"/tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    work=$(mktemp -d)
    echo "-- ${name}_fuzzer for ${fuzz_seconds}s"
    (cd "$work" && "$root/build-fuzz/tests/fuzz/${name}_fuzzer" -max_total_time="$fuzz_seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$root/build-fuzz/${name}-" "$work" "$seeds")
    rm -rf "$work"
done
echo "all builds, tests and fuzzers passed"
