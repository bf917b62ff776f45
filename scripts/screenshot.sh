#!/usr/bin/env bash
# Plays a short scripted game in the real window under Xvfb, with a window
# manager so that title bars show, opens the other windows and the standard
# dialogs, and saves pictures of the screen. Usage: scripts/screenshot.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SOLVAR_SCREENS_INNER:-}" ]; then
  scripts/deps.sh test
  scripts/build.sh >/dev/null
  out="$(realpath -m "${1:-build/screens}")"
  mkdir -p "$out"
  SOLVAR_SCREENS_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$out"
fi
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null || true' EXIT
sleep 1
build/tools/screens/solvar-screens "$1"
