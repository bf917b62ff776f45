#!/usr/bin/env bash
# Plays a short scripted game in the real window under Xvfb, opens the other
# windows, and saves pictures of the screen. Usage: scripts/screenshot.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh >/dev/null
out="${1:-build/screens}"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" build/tools/screens/solvar-screens "$out"
