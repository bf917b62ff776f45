#!/usr/bin/env bash
# Plays a short scripted game in the real window under Xvfb, with a window
# manager so that title bars show, opens the other windows and the standard
# dialogs, and saves pictures of the screen. Usage: scripts/screenshot.sh
# [DIR [SCALE]]; a SCALE such as 2 or 1.5 shows the program as on a screen
# scaled to 200 % or 150 %.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SOLVAR_SCREENS_INNER:-}" ]; then
  scripts/deps.sh test
  scripts/build.sh >/dev/null
  out="$(realpath -m "${1:-build/screens}")"
  mkdir -p "$out"
  scale="${2:-1}"
  size="$(awk -v s="$scale" 'BEGIN { printf "%dx%d", 1024 * s, 768 * s }')"
  SOLVAR_SCREENS_INNER=1 QT_SCALE_FACTOR="$scale" exec xvfb-run -a -s "-screen 0 ${size}x24" "$0" "$out"
fi
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null || true' EXIT
sleep 1
build/tools/screens/solvar-screens "$1"
