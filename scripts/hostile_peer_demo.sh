#!/usr/bin/env bash
# The real program under Xvfb against a hostile raw peer (python3): as host
# and as client, the peer sends a move that does not convert ("PO1") and,
# while the error box for it is open, closes the connection with a goodbye
# (FIN) or a reset (RST); then OK is pressed. The program must still be
# running afterwards. Pictures of each box and of the window after it are
# saved. Usage: scripts/hostile_peer_demo.sh [OUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${SOLVAR_DEMO_INNER:-}" ]; then
  scripts/deps.sh test
  command -v python3 >/dev/null || { echo "needs python3" >&2; exit 2; }
  scripts/build.sh >/dev/null
  out="$(realpath -m "${1:-build/screens/hostile}")"
  mkdir -p "$out"
  SOLVAR_DEMO_INNER=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$out"
fi

out="$1"
program="$PWD/build/src/app/solvar"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
openbox >/dev/null 2>&1 &
sleep 0.5

window_of() {
  for _ in $(seq 50); do
    local id
    id=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.2
  done
  echo "no window for process $1" >&2; exit 1
}
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.4; }

# The peer: connects to the host (host mode) or listens for the client
# (client mode), sends "PO1", waits while the box is open, then closes.
peer() {
  python3 - "$@" <<'PY'
import socket, struct, sys, time
role, port, close = sys.argv[1], int(sys.argv[2]), sys.argv[3]
if role == "host":
    link = socket.create_connection(("127.0.0.1", port))
    print("start:", link.recv(64))
else:
    server = socket.socket(); server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", port)); server.listen(1)
    link, _ = server.accept()
    link.sendall(b"ME15~15")
time.sleep(0.8)
link.sendall(b"PO1")
time.sleep(1.5)  # the error box is open now
if close == "rst":
    link.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
link.close()
print("closed with", close)
PY
}

for role in host client; do
  for close in fin rst; do
    port=$((20000 + RANDOM % 20000))
    (cd "$work" && "$program" --port "$port") & pid=$!
    window=$(window_of $pid)
    xdotool windowmove "$window" 0 0
    sleep 0.5
    if [ "$role" = host ]; then
      click_in "$window" 117 9; click_in "$window" 140 32; click_in "$window" 300 32
      peer host "$port" "$close" & peer_pid=$!
    else
      peer client "$port" "$close" & peer_pid=$!
      sleep 0.5
      click_in "$window" 117 9; click_in "$window" 140 32; click_in "$window" 300 55
      xdotool type --delay 40 "127.0.0.1"; xdotool key Return
    fi
    wait $peer_pid
    sleep 0.5
    import -window root "$out/$role-$close-box.png"
    xdotool key Return  # OK on the error box, after the connection is gone
    sleep 1
    import -window root "$out/$role-$close-after.png"
    if kill -0 $pid 2>/dev/null; then echo "$role, $close: still running"; else echo "$role, $close: the program died"; exit 1; fi
    kill $pid; wait $pid 2>/dev/null || true
  done
done
echo "pictures in $out"
