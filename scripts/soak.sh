#!/usr/bin/env bash
# Soak tests, outside the normal test run: whole computer-against-computer
# games on 45 x 35 under AddressSanitizer and LeakSanitizer, then whole
# network games between two windows over loopback, with the resident memory
# written out as they go. Usage: scripts/soak.sh [SELFPLAY-GAMES] [NETWORK-GAMES]
set -euo pipefail
cd "$(dirname "$0")/.."
selfplay="${1:-1000}"
network="${2:-50}"
scripts/deps.sh test

cmake -S . -B build-soak -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSOLVAR_SANITIZE=ON -DSOLVAR_CORE_ONLY=ON \
  -DSOLVAR_TESTS=OFF -DSOLVAR_BENCHMARKS=OFF >/dev/null
cmake --build build-soak --parallel "$(nproc)" --target solvar-selfplay-soak
echo "== $selfplay computer-against-computer games on 45 x 35 (ASan, LSan)"
# No quarantine of freed memory, so that the resident figures show what is live.
ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=0 /usr/bin/time -f "%e s, peak %M KiB" build-soak/tools/soak/solvar-selfplay-soak "$selfplay"

scripts/build.sh >/dev/null
echo "== $network network games on 15 x 15 over 127.0.0.1"
port=$((20000 + RANDOM % 20000))
QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%e s, peak %M KiB" build/tools/soak/solvar-network-soak "$network" "$port"
