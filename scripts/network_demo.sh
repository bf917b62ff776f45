#!/usr/bin/env bash
# Two real solvar processes play a few moves against each other over
# 127.0.0.1 under Xvfb, driven with the mouse and keyboard through xdotool;
# a picture of both windows is saved. Usage: scripts/network_demo.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SOLVAR_DEMO_INNER:-}" ]; then
  scripts/deps.sh test
  command -v xdotool >/dev/null || { sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo;
    $sudo apt-get install -y --no-install-recommends xdotool; }
  scripts/build.sh >/dev/null
  out="$(realpath -m "${1:-build/screens/network.png}")"
  mkdir -p "$(dirname "$out")"
  SOLVAR_DEMO_INNER=1 exec xvfb-run -a -s "-screen 0 1440x720x24" "$0" "$out"
fi

out="$1"
program="$PWD/build/src/app/solvar"
port=$((20000 + RANDOM % 20000))
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/host" "$work/client"

window_of() {  # the visible top-level window of a process
  for _ in $(seq 50); do
    local id
    id=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  echo "no window for process $1" >&2; exit 1
}

# Clicks at (x, y) inside a window, measured from its top-left corner.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.4; }
# Clicks node (x, y) of the field: the menu bar is 19 pixels high, nodes 12 apart.
click_node() { xdotool mousemove --window "$1" $(( 12 * $2 )) $(( 19 + 12 * $3 )); sleep 0.1; click_in "$1" $(( 12 * $2 )) $(( 19 + 12 * $3 )); }

(cd "$work/host" && "$program" --seed 2 --port "$port") & host_pid=$!
(cd "$work/client" && "$program" --port "$port") & client_pid=$!
host=$(window_of $host_pid)
client=$(window_of $client_pid)
xdotool windowmove "$host" 0 0
xdotool windowmove "$client" 720 0
sleep 0.5

# Host: "Игра по сети" -> "Настоить" -> "Создать сервер".
click_in "$host" 117 9
click_in "$host" 140 32
click_in "$host" 300 32
sleep 0.5
[ -n "${SOLVAR_DEMO_DEBUG:-}" ] && import -window root "$out.1.png"
# Client: "Игра по сети" -> "Настоить" -> "Подключиться", then the address.
click_in "$client" 117 9
click_in "$client" 140 32
click_in "$client" 300 55
xdotool type --delay 40 "127.0.0.1"
xdotool key Return
sleep 1.5
[ -n "${SOLVAR_DEMO_DEBUG:-}" ] && import -window root "$out.2.png"
host=$(window_of $host_pid)
xdotool windowmove "$host" 0 0

# With --seed 2 the host moves first.
for move in "10 10:11 12" "12 10:13 12" "14 10:15 12"; do
  click_node "$host" ${move%%:*}
  sleep 0.6
  second=${move##*:}
  click_node "$client" $second
  sleep 0.6
done
click_in "$host" 117 9; sleep 0.3; xdotool key Escape
sleep 0.5
import -window root "$out"
echo "saved $out"
