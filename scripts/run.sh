#!/usr/bin/env bash
# Builds and starts the lift simulator on a set-up that needs no hardware: liftpoll plays the
# gateway's port and the dispatching centre on 127.0.0.1 and prints every poll it decodes, and
# trevolk connects to it from a demo work folder whose Trevolk.ini points the link there.
#
#   scripts/run.sh
#
# TREVOLK_DEMO_PORT (default 4001) is the loopback port, TREVOLK_BUILD_DIR (default build) the
# build folder. The demo work folder is $TREVOLK_BUILD_DIR/demo/Trevolk; it keeps what you leave
# in the simulator between runs. Closing the window (or Ctrl+C) ends both programs.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${TREVOLK_BUILD_DIR:-build}
port=${TREVOLK_DEMO_PORT:-4001}

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target trevolk liftpoll

# The program has no command line: the demo gets its own data folder, and its settings file is
# written once, with the link on loopback and the imitation running on its tab.
demo=$(cd "$build" && pwd)/demo
ini=$demo/Trevolk/Trevolk.ini
mkdir -p "$demo/Trevolk"
if [ ! -f "$ini" ]; then
  printf '[SETUP]\r\nTcpAdr=127.0.0.1\r\nTcpPort=%s\r\nPage=2\r\nImitEnable=1\r\n' "$port" >"$ini"
fi

liftpoll_pid=
cleanup() {
  # Only the console this script started, by its id.
  if [ -n "$liftpoll_pid" ]; then kill -TERM "$liftpoll_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
trap cleanup EXIT

"$build/tools/liftpoll/liftpoll" --listen 127.0.0.1 --port "$port" &
liftpoll_pid=$!
sleep 0.3
if ! kill -0 "$liftpoll_pid" 2>/dev/null; then
  echo "run: liftpoll could not listen on 127.0.0.1:$port (set TREVOLK_DEMO_PORT to a free port)" >&2
  exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display; the simulator runs without a visible window (Ctrl+C ends it)"
  export QT_QPA_PLATFORM=offscreen
fi
echo "run: settings of the demo in $ini"
XDG_DATA_HOME=$demo "$build/app/ui/trevolk" || true
