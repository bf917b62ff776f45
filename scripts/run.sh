#!/usr/bin/env bash
# Builds the game and starts it. Extra arguments go to the program
# (for example --seed 7).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh
exec build/src/app/solvar "$@"
