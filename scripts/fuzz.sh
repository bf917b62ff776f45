#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for SECONDS, starting from the
# seed corpus in fuzz/corpus. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
# With FUZZ_RUNS=N set, each target runs N inputs instead of for a time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_peer_messages fuzz_records fuzz_position fuzz_ipv4 fuzz_sgf)

scripts/deps.sh test
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSOLVAR_FUZZ=ON -DSOLVAR_SANITIZE=ON -DSOLVAR_CORE_ONLY=ON -DSOLVAR_TESTS=OFF \
  -DSOLVAR_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
  name="${target#fuzz_}"
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "== $target for ${seconds}s"
  limit="-max_total_time=$seconds"
  [ -n "${FUZZ_RUNS:-}" ] && limit="-runs=$FUZZ_RUNS"
  build-fuzz/fuzz/"$target" "$limit" -print_final_stats=1 -max_len=4096 \
    -artifact_prefix="build-fuzz/$name-" "$corpus" "fuzz/corpus/$name" 2>&1 |
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done|==[0-9]+==|SUMMARY)' || true
  # libFuzzer exits non-zero on a finding; its artifact names the input.
  if ls build-fuzz/"$name"-* >/dev/null 2>&1; then
    echo "$target found a fault: $(ls build-fuzz/"$name"-*)" >&2
    exit 1
  fi
done
