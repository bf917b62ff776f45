#!/usr/bin/env bash
# The real program under Xvfb, played with key presses only (xdotool): the
# field size through the menu's letters and the dialog, a whole 15 x 15 game
# with the arrows and Space (every node swept row by row; a box for a taken
# node is closed with Return), the finished game through «Последняя партия»,
# Esc out of it, then a second game in which Ctrl+D and Return must not end
# it. Pictures of each step are saved. Usage: scripts/keyboard_demo.sh [OUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SOLVAR_DEMO_INNER:-}" ]; then
  scripts/deps.sh test
  scripts/build.sh >/dev/null
  out="$(realpath -m "${1:-build/screens/keyboard}")"
  mkdir -p "$out"
  SOLVAR_DEMO_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$out"
fi

out="$1"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
openbox >/dev/null 2>&1 &
sleep 0.5
cd "$work"
HOME="$work" "$OLDPWD/build/src/app/solvar" --seed 2 >/dev/null 2>&1 &
program=$!

window=""
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --pid "$program" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the window did not open" >&2; exit 1; }
xdotool windowactivate --sync "$window"
sleep 0.5

key() { xdotool key --delay 20 "$@"; sleep 0.05; }
shot() { sleep 0.4; import -window root "$out/$1.png"; echo "saved $out/$1.png"; }
alive() { kill -0 "$program" 2>/dev/null || { echo "the program is gone" >&2; exit 1; }; }
# A box of the program's own is open when its window is not the main one.
box_open() { [ "$(xdotool getactivewindow 2>/dev/null)" != "$window" ]; }
height() { xdotool getwindowgeometry "$window" | awk '/Geometry/ { split($2, s, "x"); print s[2] }'; }

# «Игра» (F10) → «Настройки поля» (its letter т), then 15 Tab 15 Return.
key F10
key Cyrillic_te
sleep 0.3
shot 01-field-size
key 1 5 Tab 1 5 Return
# Ctrl+N starts; Return closes «Ваш ход первый! Ходите».
key ctrl+n
sleep 0.3
shot 02-first-move-box
key Return
key Up  # the cursor shows at the centre, 7 - 7
shot 03-cursor
for _ in $(seq 6); do key Left Up; done
game_height=$(height)
moves=0
for y in $(seq 14); do
  for x in $(seq 14); do
    key space
    sleep 0.05
    if box_open; then
      # A taken node («Вы не выбрали точку!») or the end of the game.
      [ "$(height)" = "$game_height" ] && [ $moves -gt 150 ] && shot 05-result-box
      key Return
      sleep 0.2
    fi
    moves=$((moves + 1))
    [ "$x" -lt 14 ] && key Right
    alive
  done
  [ "$y" = 7 ] && shot 04-half-way
  [ "$y" -lt 14 ] && { key Down; for _ in $(seq 13); do key Left; done; }
done
# A win asks the name (Return keeps it) and shows the records (Esc).
for _ in 1 2 3; do
  sleep 0.3
  box_open || break
  key Return
done
sleep 0.3
box_open && key Escape
shot 06-after-the-game
[ "$(height)" -lt "$game_height" ] || { echo "the game did not end" >&2; exit 1; }

# «Игра» → «Последняя партия» (its letter л): the final position; Esc leaves.
key F10
key Cyrillic_el
shot 07-last-game
key Escape
shot 08-viewer-left

# A second game: Ctrl+D and then Return only ask and keep the game.
key ctrl+n
key Return
key Up space
key ctrl+d
shot 09-give-up-question
key Return
shot 10-game-kept
[ "$(height)" = "$game_height" ] || { echo "a single key ended the game" >&2; exit 1; }
alive
echo "keyboard game played to its end; the second game survived Ctrl+D and Return"
