#!/usr/bin/env bash
# Builds everything and runs every test: the full build, then the plain C++
# layers again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure --timeout 300)

cmake -S . -B build-asan -DSOLVAR_CORE_ONLY=ON -DSOLVAR_SANITIZE=ON -DSOLVAR_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan --parallel "$(nproc)"
(cd build-asan && ctest --output-on-failure --timeout 300)
