#!/usr/bin/env bash
# Builds the .zlv fuzz target with clang (libFuzzer + AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs it from its seed corpus with a fixed
# seed and a fixed number of runs, so that its time is bounded (2500 runs:
# about a minute on the 2-core CI machine; the build takes about three
# minutes more). The verdict may still differ between machines, whose
# corpus folders list the seeds in another order.
# A unit may legitimately run for seconds: a foundation of 12000 elements
# whose contact never settles takes its 200 passes (3 s in Release, about
# 25 s under the sanitizers), hence the generous per-unit timeout.
# Longer campaigns by hand, for example:
#   build/fuzz/fuzz/fuzz_zlv -max_total_time=3600 /tmp/zlv-corpus fuzz/corpus
# then turn every crash file into a corpus file (fuzz/corpus/) and a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
DIR=build/fuzz
RUNS=${ZELVO_FUZZ_RUNS:-2500}
CC=clang CXX=clang++ cmake -S . -B "$DIR" -DZELVO_FUZZ=ON -DZELVO_BENCH=OFF -DZELVO_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$DIR" --target fuzz_zlv -j 2
# libFuzzer adds what it finds to its first corpus folder: work on a copy.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp fuzz/corpus/* "$WORK"/
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$DIR"/fuzz/fuzz_zlv -seed=1 -runs="$RUNS" -max_len=4096 -timeout=120 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$DIR"/ "$WORK"
