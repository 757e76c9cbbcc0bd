# shellcheck shell=bash disable=SC2034,SC2154  # sets figures for the caller, reads its liftpoll
# Helpers shared by scripts/bench.sh (the headless lift) and scripts/bench-window.sh (the desktop
# program): a scratch folder cleaned on exit, the console in benchmark or idle mode, the minimal
# responder, figures and verdicts, and the CPU a process spends over a span of time.
#
# Sourced, not run. The caller sets liftpoll (the console's binary) before calling start_console.
# Everything stays on 127.0.0.1.

export LC_ALL=C

requests=${BENCH_REQUESTS:-20000}
warmup=${BENCH_WARMUP:-2000}
idle_seconds=${BENCH_IDLE_SECONDS:-30}
console_core=0
lift_core=1

work=$(mktemp -d /tmp/trevolk-bench-XXXXXX)
pids=()
cleanup() {
  # Only the processes this script started, by their ids.
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Configures a Release build folder once with the given options and builds the given targets.
build_targets() {
  local build=$1 options=$2; shift 2
  if [ ! -f "$build/build.ninja" ]; then
    # shellcheck disable=SC2086  # the options are words on purpose
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release $options >/dev/null
  fi
  cmake --build "$build" --target "$@" >/dev/null
}

# Starts liftpoll on a free port with the given arguments; sets console_pid and port.
start_console() {
  local out=$1; shift
  # Made before the console starts, so that the wait below never reads a file not there yet.
  : >"$out"
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

# Starts the console in benchmark mode: $requests reads of 10 registers after $warmup of warm-up.
start_bench_console() { start_console "$1" --bench "$requests" --warmup "$warmup" --count 10; }

# Starts the console in idle mode: one poll when the lift connects, then an hour of silence on an
# open connection.
start_idle_console() { start_console "$1" --period 3600000; }

# Waits until the idle console has had its one poll answered, then lets the lift settle.
await_first_poll() {
  local out=$1 settle=${2:-1}
  for _ in $(seq 1 200); do grep -q '^Опрос 1:' "$out" && break; sleep 0.05; done
  grep -q '^Опрос 1:' "$out" || { echo "bench: the lift did not answer the first poll"; cat "$out"; exit 1; }
  sleep "$settle"
}

# Measures the machine's limit: the minimal C responder against a benchmark console; sets limit.
measure_limit() {
  cc -O2 -Wall -Wextra -o "$work/responder" tools/bench/responder.c
  start_bench_console "$work/limit.out"
  taskset -c "$lift_core" "$work/responder" 127.0.0.1 "$port" &
  pids+=("$!")
  wait "$console_pid"
  limit=$(summary "$work/limit.out")
}

# Ends a process this script started and waits for it.
stop_process() { kill -TERM "$1"; wait "$1"; }

summary() { grep '^p50_us=' "$1" || { echo "bench: no figures in $1" >&2; cat "$1" >&2; exit 1; }; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" <<<"$2"; }
# "goal met" when the figure is at most the goal, or below it with a third argument "below".
verdict() {
  awk -v r="$1" -v g="$2" -v strict="${3:-}" \
    'BEGIN { met = strict == "below" ? r < g : r <= g; print met ? "goal met" : "GOAL MISSED" }'
}
met() { [ "$(verdict "$@")" = "goal met" ]; }

# CPU of process $1 over $idle_seconds: utime + stime of all its threads in clock ticks (sets
# idle, in % of one core), and for a finer figure the nanoseconds on a CPU of each thread from
# schedstat. Prints both under the label $2 with the goal $3 (% of one core, the figure below it).
measure_idle() {
  local pid=$1 label=$2 goal=$3
  ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
  cpu_ns() { cat /proc/"$pid"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
  local hz before before_ns after after_ns idle_fine
  hz=$(getconf CLK_TCK)
  before=$(ticks)
  before_ns=$(cpu_ns)
  sleep "$idle_seconds"
  after=$(ticks)
  after_ns=$(cpu_ns)
  idle=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.3f", t / hz / s * 100 }')
  idle_fine=$(awk -v ns=$((after_ns - before_ns)) -v s="$idle_seconds" 'BEGIN { printf "%.4f", ns / 1e9 / s * 100 }')
  echo "$label: $((after - before)) ticks of 1/$hz s in $idle_seconds s = $idle % of one core (goal < $goal: $(verdict "$idle" "$goal" below))"
  echo "  on a CPU (schedstat): $(( (after_ns - before_ns) / 1000 )) us in $idle_seconds s = $idle_fine % of one core"
}
