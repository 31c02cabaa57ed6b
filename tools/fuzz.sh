#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzzers with clang and runs each for a while over the corpus in tests/fuzz/corpus.
#   tools/fuzz.sh [SECONDS]    (default 60 seconds each)
set -eo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz
CXX=clang++ cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for fuzzer in format_by_pattern navigation logbook_open; do
    corpus="tests/fuzz/corpus/${fuzzer%%_by_pattern}"
    work="$build/corpus-$fuzzer"
    mkdir -p "$work"
    echo "== $fuzzer for $seconds s"
    "$build/${fuzzer}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/$fuzzer-" "$work" "$corpus" \
        2>&1 | grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::peak_rss|.*ERROR|SUMMARY)|cov:' | tail -4
done
