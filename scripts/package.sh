#!/usr/bin/env bash
# Builds the program in Release mode and its Debian package,
# build-release/solvar_VERSION_ARCH.deb, whose dependencies come from the
# shared libraries the programs use. Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSOLVAR_TESTS=OFF -DSOLVAR_BENCHMARKS=OFF
cmake --build build-release --parallel "$(nproc)"
(cd build-release && cpack -G DEB)
ls build-release/solvar_*.deb
