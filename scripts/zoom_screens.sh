#!/usr/bin/env bash
# The real program under Xvfb on a 1366 x 768 screen with a 45 x 35 field: a
# picture of a game a few moves in at each zoom (100, 150, 200, 300 % and
# «По размеру окна»), then at 100 % and 300 % on screens scaled to 150 % and
# 200 % (QT_SCALE_FACTOR), where the window must still fit and the status
# bar say which zoom it took. The settings file of a fresh home folder gives
# the field and the zoom. Usage: scripts/zoom_screens.sh [OUT-DIR [WIDTH HEIGHT]]
# (20 20 shows every step: 45 x 35 fits this screen only at 100 %).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SOLVAR_ZOOM_INNER:-}" ]; then
  scripts/deps.sh test
  scripts/build.sh >/dev/null
  out="$(realpath -m "${1:-build/screens/zoom}")"
  mkdir -p "$out"
  SOLVAR_ZOOM_INNER=1 exec xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$out" "${2:-45}" "${3:-35}"
fi

out="$1"
field_width="$2"
field_height="$3"
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null || true' EXIT
sleep 0.5

# One run: zoom word (100, 150, 200, 300, fit), scale factor, picture name.
picture() {
  local zoom="$1" scale="$2" name="$3" work program window
  work="$(mktemp -d)"
  mkdir -p "$work/.config/solvar"
  printf '[field]\nwidth=%s\nheight=%s\n[view]\nzoom=%s\n' "$field_width" "$field_height" "$zoom" >"$work/.config/solvar/solvar.ini"
  (cd "$work" && HOME="$work" QT_SCALE_FACTOR="$scale" exec "$OLDPWD/build/src/app/solvar" --seed 2) >/dev/null 2>&1 &
  program=$!
  window=""
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --pid "$program" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "the window did not open" >&2; kill "$program"; return 1; }
  xdotool windowactivate --sync "$window"
  sleep 0.3
  # Ctrl+N, Return for «Ваш ход первый! Ходите», then three dots by the keys.
  xdotool key --delay 30 ctrl+n
  sleep 0.5
  xdotool key --delay 30 Return
  sleep 0.3
  for _ in 1 2 3; do
    xdotool key --delay 30 Right Right Down space
    sleep 0.3
  done
  sleep 0.5
  import -window root "$out/$name.png"
  echo "saved $out/$name.png ($(xdotool getwindowgeometry "$window" | awk '/Geometry/ { print $2 }'))"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  rm -rf "$work"
}

picture 100 1 zoom-100
picture 150 1 zoom-150
picture 200 1 zoom-200
picture 300 1 zoom-300
picture fit 1 zoom-fit
picture 100 1.5 scale-150-zoom-100
picture 300 1.5 scale-150-zoom-300
picture 100 2 scale-200-zoom-100
picture 300 2 scale-200-zoom-300
