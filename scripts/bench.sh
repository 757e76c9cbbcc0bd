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
# Everything stays on 127.0.0.1. Exits 1 when a goal is missed.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C

build=${1:-build-bench}
requests=${BENCH_REQUESTS:-20000}
warmup=${BENCH_WARMUP:-2000}
idle_seconds=${BENCH_IDLE_SECONDS:-30}
console_core=0
lift_core=1

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVOLK_WITH_UI=OFF -DTREVOLK_WITH_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target liftpoll trevolk-headless >/dev/null
liftpoll=$build/tools/liftpoll/liftpoll
headless=$build/tools/headless/trevolk-headless

work=$(mktemp -d /tmp/trevolk-bench-XXXXXX)
pids=()
cleanup() {
  # Only the processes this script started, by their ids.
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cc -O2 -Wall -Wextra -o "$work/responder" tools/bench/responder.c

# Starts liftpoll on a free port with the given arguments; sets console_pid and port.
start_console() {
  local out=$1; shift
  taskset -c "$console_core" "$liftpoll" --port 0 --wait 20000 "$@" >"$out" 2>&1 &
  console_pid=$!
  pids+=("$console_pid")
  for _ in $(seq 1 100); do
    port=$(sed -n 's/^Слушаю 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$out" | head -1)
    [ -n "$port" ] && return 0
    sleep 0.05
  done
  echo "bench: liftpoll did not start"; cat "$out"; exit 1
}

# Starts the headless lift pinned to its core, connecting to $port; sets lift_pid.
start_lift() {
  printf '[SETUP]\r\nTcpAdr=127.0.0.1\r\nTcpPort=%s\r\n' "$port" >"$work/lift.ini"
  taskset -c "$lift_core" "$headless" --settings "$work/lift.ini" >"$work/lift.out" 2>"$work/lift.err" &
  lift_pid=$!
  pids+=("$lift_pid")
}

summary() { grep '^p50_us=' "$1" || { echo "bench: no figures in $1" >&2; cat "$1" >&2; exit 1; }; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }

echo "Requests: $requests after $warmup of warm-up, 10 registers (25-byte replies); console on core $console_core, lift on core $lift_core"

start_console "$work/limit.out" --bench "$requests" --warmup "$warmup" --count 10
taskset -c "$lift_core" "$work/responder" 127.0.0.1 "$port" &
pids+=("$!")
wait "$console_pid"
limit=$(summary "$work/limit.out")
echo "responder:        $limit"

start_console "$work/lift-bench.out" --bench "$requests" --warmup "$warmup" --count 10
start_lift
wait "$console_pid"
lift=$(summary "$work/lift-bench.out")
echo "trevolk-headless: $lift"
kill -TERM "$lift_pid"; wait "$lift_pid"

ratio() { awk -v a="$(field "$1" "$lift")" -v b="$(field "$1" "$limit")" 'BEGIN { printf "%.2f", a / b }'; }
p50_ratio=$(ratio p50_us)
p99_ratio=$(ratio p99_us)
verdict() { awk -v r="$1" -v g="$2" 'BEGIN { print (r <= g) ? "goal met" : "GOAL MISSED" }'; }
echo "ratio p50: $p50_ratio (goal <= 1.5: $(verdict "$p50_ratio" 1.5))"
echo "ratio p99: $p99_ratio (goal <= 2: $(verdict "$p99_ratio" 2))"

# Idle: one poll when the lift connects, then the console sleeps for an hour on an open connection.
start_console "$work/idle.out" --period 3600000
start_lift
for _ in $(seq 1 100); do grep -q '^Опрос 1:' "$work/idle.out" && break; sleep 0.05; done
sleep 1
# utime + stime of the whole process (all threads) in clock ticks, and for a finer figure the
# nanoseconds on a CPU of each thread from schedstat.
ticks() { awk '{ print $14 + $15 }' "/proc/$lift_pid/stat"; }
cpu_ns() { cat /proc/"$lift_pid"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
hz=$(getconf CLK_TCK)
before=$(ticks)
before_ns=$(cpu_ns)
sleep "$idle_seconds"
after=$(ticks)
after_ns=$(cpu_ns)
idle=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.3f", t / hz / s * 100 }')
idle_fine=$(awk -v ns=$((after_ns - before_ns)) -v s="$idle_seconds" 'BEGIN { printf "%.4f", ns / 1e9 / s * 100 }')
echo "idle lift, connected and unpolled: $((after - before)) ticks of 1/$hz s in $idle_seconds s = $idle % of one core (goal < 0.2: $(verdict "$idle" 0.199999))"
echo "  on a CPU (schedstat): $(( (after_ns - before_ns) / 1000 )) us in $idle_seconds s = $idle_fine % of one core"
kill -TERM "$lift_pid"; wait "$lift_pid"

awk -v a="$p50_ratio" -v b="$p99_ratio" -v c="$idle" 'BEGIN { exit !(a <= 1.5 && b <= 2 && c < 0.2) }'
