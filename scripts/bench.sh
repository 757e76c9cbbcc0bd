#!/usr/bin/env bash
# Reply latency of the headless lift against the machine's limit, and the idle lift's CPU.
#
#   scripts/bench.sh [build-folder]        (default: build-bench, configured Release if missing)
#
# 1. liftpoll's benchmark mode (20000 requests for 10 registers after a warm-up) against the minimal
#    responder of tools/bench (answers each 8-byte read with a fixed 25-byte reply), then against
#    trevolk-headless; console and lift pinned to different cores. Prints both sets of percentiles
#    and the ratios (goals: p50 at most 1.5, p99 at most 2 times the responder's).
# 2. The lift connected to a gateway that stops polling: its CPU over 30 s from /proc/PID/stat
#    (goal: below 0.2 % of one core).
# Everything stays on 127.0.0.1. Exits 1 when a goal is missed. scripts/bench-window.sh does the
# same for the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-lib.sh

build=${1:-build-bench}
build_targets "$build" "-DTREVOLK_WITH_UI=OFF -DTREVOLK_WITH_TESTS=OFF" liftpoll trevolk-headless
liftpoll=$build/tools/liftpoll/liftpoll
headless=$build/tools/headless/trevolk-headless

# Starts the headless lift pinned to its core, connecting to $port; sets lift_pid.
start_lift() {
  printf '[SETUP]\r\nTcpAdr=127.0.0.1\r\nTcpPort=%s\r\n' "$port" >"$work/lift.ini"
  taskset -c "$lift_core" "$headless" --settings "$work/lift.ini" >"$work/lift.out" 2>"$work/lift.err" &
  lift_pid=$!
  pids+=("$lift_pid")
}

echo "Requests: $requests after $warmup of warm-up, 10 registers (25-byte replies); console on core $console_core, lift on core $lift_core"

measure_limit
echo "responder:        $limit"

start_bench_console "$work/lift-bench.out"
start_lift
wait "$console_pid"
lift=$(summary "$work/lift-bench.out")
echo "trevolk-headless: $lift"
stop_process "$lift_pid"

ratio() { awk -v a="$(field "$1" "$lift")" -v b="$(field "$1" "$limit")" 'BEGIN { printf "%.2f", a / b }'; }
p50_ratio=$(ratio p50_us)
p99_ratio=$(ratio p99_us)
echo "ratio p50: $p50_ratio (goal <= 1.5: $(verdict "$p50_ratio" 1.5))"
echo "ratio p99: $p99_ratio (goal <= 2: $(verdict "$p99_ratio" 2))"

start_idle_console "$work/idle.out"
start_lift
await_first_poll "$work/idle.out"
measure_idle "$lift_pid" "idle lift, connected and unpolled" 0.2
stop_process "$lift_pid"

met "$p50_ratio" 1.5 && met "$p99_ratio" 2 && met "$idle" 0.2 below
