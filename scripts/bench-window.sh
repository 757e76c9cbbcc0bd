#!/usr/bin/env bash
# Reply latency and idle CPU of the desktop program trevolk, running offscreen.
#
#   scripts/bench-window.sh [build-folder]   (default: build-bench-ui, configured Release if missing)
#
# trevolk has no command line: each run gets its own work folder through XDG_DATA_HOME, whose
# Trevolk.ini points the link at the console on 127.0.0.1 and switches the imitation on or off.
# Console and program are pinned to different cores, as in scripts/bench.sh.
# 1. liftpoll's benchmark mode (20000 requests for 10 registers after a warm-up) against the minimal
#    responder (for comparison), then against trevolk with the imitation running
#    (goals: p50 below 300 us, p99 below 1000 us).
# 2. trevolk connected to a gateway that stops polling, its CPU over 30 s from /proc/PID/stat:
#    with the imitation off (goal: below 1 % of one core), then on (goal: below 3 %).
# Everything stays on 127.0.0.1. Exits 1 when a goal is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-lib.sh

build=${1:-build-bench-ui}
build_targets "$build" "-DTREVOLK_WITH_UI=ON -DTREVOLK_WITH_TESTS=OFF" liftpoll trevolk
liftpoll=$build/tools/liftpoll/liftpoll
trevolk=$build/app/ui/trevolk
runs=0

# Starts trevolk offscreen pinned to its core, connecting to $port with the imitation on (1) or
# off (0), in a fresh work folder; sets lift_pid. SIGTERM closes it through its normal closing.
start_window() {
  local data=$work/window-$((++runs))
  mkdir -p "$data/Trevolk"
  printf '[SETUP]\r\nTcpAdr=127.0.0.1\r\nTcpPort=%s\r\nImitEnable=%s\r\n' "$port" "$1" >"$data/Trevolk/Trevolk.ini"
  XDG_DATA_HOME=$data QT_QPA_PLATFORM=offscreen taskset -c "$lift_core" "$trevolk" \
    >"$data/trevolk.out" 2>&1 &
  lift_pid=$!
  pids+=("$lift_pid")
}

echo "Requests: $requests after $warmup of warm-up, 10 registers (25-byte replies); console on core $console_core, trevolk on core $lift_core"

measure_limit
echo "responder:             $limit"

start_bench_console "$work/window-bench.out"
start_window 1
wait "$console_pid"
window=$(summary "$work/window-bench.out")
echo "trevolk, imitation on: $window"
stop_process "$lift_pid"
p50=$(field p50_us "$window")
p99=$(field p99_us "$window")
echo "p50: $p50 us (goal < 300: $(verdict "$p50" 300 below))"
echo "p99: $p99 us (goal < 1000: $(verdict "$p99" 1000 below))"

start_idle_console "$work/idle-off.out"
start_window 0
await_first_poll "$work/idle-off.out" 2
measure_idle "$lift_pid" "idle trevolk, connected and unpolled, imitation off" 1
idle_off=$idle
stop_process "$lift_pid"

start_idle_console "$work/idle-on.out"
start_window 1
await_first_poll "$work/idle-on.out" 2
measure_idle "$lift_pid" "idle trevolk, connected and unpolled, imitation on" 3
idle_on=$idle
stop_process "$lift_pid"

met "$p50" 300 below && met "$p99" 1000 below && met "$idle_off" 1 below && met "$idle_on" 3 below
