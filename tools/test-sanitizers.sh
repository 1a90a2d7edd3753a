#!/usr/bin/env bash
# Builds Vexlora with clang under AddressSanitizer and UndefinedBehaviorSanitizer (leaks too), runs
# every Qt test in that build (with the long race and stress tests, which only this stage runs),
# then runs each fuzz target a fixed number of times on its corpus.
# Installs clang and its runtime when missing. Ends with "sanitizers: passed" or "sanitizers: FAILED".
#   tools/test-sanitizers.sh [build folder]     (default: build-asan)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
vexlora_install_packages clang libclang-rt-14-dev
build=${1:-build-asan}
runs=${VEXLORA_FUZZ_RUNS:-300000}
fail() { echo "sanitizers: FAILED ($1)"; exit 1; }

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DVEXLORA_BENCH=OFF -DVEXLORA_SANITIZE=ON -DVEXLORA_FUZZ=ON -DVEXLORA_STRESS=ON >/dev/null || fail "configure"
cmake --build "$build" -j"$(nproc)" || fail "build"

# Any report ends the process with an error; leaks count.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j"$(nproc)" --output-on-failure || fail "tests"

for target in fuzz_numbers fuzz_regfile fuzz_sfnt fuzz_snooze; do
    corpus=tests/fuzz/corpus/${target#fuzz_}
    scratch=$(mktemp -d)
    # New inputs go to the scratch folder; the committed corpus is only read.
    if ! "$build/tests/$target" -runs="$runs" -max_len=4096 -seed=1 -print_final_stats=1 "$scratch" "$corpus" \
            >"$scratch.log" 2>&1; then
        tail -n 40 "$scratch.log"
        fail "$target"
    fi
    echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$scratch.log" | tail -n 1)"
    rm -rf "$scratch" "$scratch.log"
done
echo "sanitizers: passed"
