#!/usr/bin/env bash
# The simulated lift polled by an independent Modbus RTU master: mbpoll (Debian's package) on a
# pseudo-terminal that socat bridges to a TCP listener on 127.0.0.1, where the headless lift
# connects as it would to a gateway's transparent port.
#
#   scripts/interop.sh [path/to/trevolk-headless]     (default: build/tools/headless/trevolk-headless)
#
# Exits 0 when every check passed, 1 when one failed, 77 (skipped) when mbpoll or socat is missing.
set -uo pipefail
cd "$(dirname "$0")/.."

headless=${1:-build/tools/headless/trevolk-headless}
for tool in mbpoll socat; do
  if ! command -v "$tool" >/dev/null; then
    echo "interop: skipped: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
[ -x "$headless" ] || { echo "interop: no headless lift at $headless"; exit 1; }

work=$(mktemp -d /tmp/trevolk-interop-XXXXXX)
socat_pid=""
lift_pid=""
passed=0
failed=0

stop_session() {
  # Only the processes this script started, by their ids.
  [ -n "$lift_pid" ] && kill -TERM "$lift_pid" 2>/dev/null && wait "$lift_pid" 2>/dev/null
  [ -n "$socat_pid" ] && kill -TERM "$socat_pid" 2>/dev/null && wait "$socat_pid" 2>/dev/null
  lift_pid=""
  socat_pid=""
}
trap 'stop_session; rm -rf "$work"' EXIT

check() {  # name, expected, actual
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
    passed=$((passed + 1))
  else
    echo "FAILED: $1"
    echo "  expected: $2"
    echo "  got:      $3"
    failed=$((failed + 1))
  fi
}

# The bridge: a pty for the master, a loopback listener for the lift, on the first free port tried.
start_bridge() {
  for _ in $(seq 1 20); do
    port=$((20000 + RANDOM % 40000))
    rm -f "$work/tty"
    socat pty,raw,echo=0,link="$work/tty" tcp-listen:"$port",bind=127.0.0.1,reuseaddr 2>"$work/socat.err" &
    socat_pid=$!
    for _ in $(seq 1 50); do
      [ -e "$work/tty" ] && ss -Hltn "sport = :$port" | grep -q . && return 0
      kill -0 "$socat_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -TERM "$socat_pid" 2>/dev/null; wait "$socat_pid" 2>/dev/null
    socat_pid=""
  done
  echo "interop: could not start socat: $(cat "$work/socat.err")"
  exit 1
}

# A session: bridge, settings (link keys plus the given lines), lift connected.
start_session() {
  start_bridge
  printf '[SETUP]\r\nTcpAdr=127.0.0.1\r\nTcpPort=%s\r\n' "$port" >"$work/lift.ini"
  printf "$1" >>"$work/lift.ini"
  cp "$work/lift.ini" "$work/lift.ini.before"
  "$headless" --settings "$work/lift.ini" >"$work/lift.out" 2>"$work/lift.err" &
  lift_pid=$!
  for _ in $(seq 1 100); do
    grep -qx '\[0\] TCP Порт: OK ...' "$work/lift.out" && return 0
    sleep 0.1
  done
  echo "interop: the lift did not connect to the bridge"; cat "$work/lift.out" "$work/lift.err"
  exit 1
}

end_session() {
  kill -TERM "$lift_pid"
  wait "$lift_pid"
  check "lift stops with status 0 on SIGTERM" 0 "$?"
  lift_pid=""
  check "settings file left as it was" same "$(cmp -s "$work/lift.ini" "$work/lift.ini.before" && echo same)"
  stop_session
}

# mbpoll's register values (hexadecimal) on one line, or its error text.
poll() {
  local out
  out=$(timeout 20 mbpoll -m rtu -t 3:hex -o 1 -1 "$@" "$work/tty" 2>&1)
  local values
  values=$(printf '%s\n' "$out" | grep -E '^\[[0-9]+\]:' | awk '{print $2}' | tr '\n' ' ')
  if [ -n "$values" ]; then echo "${values% }"; else printf '%s\n' "$out" | grep -iE 'illegal|timed out|error' | head -1; fi
}

lift_said() { grep -c -x "$1" "$work/lift.out"; }

echo "== first start: no lift settings at all"
start_session ""
check "registers 0..8 (the 23-byte reference reply)" \
  "0x0001 0x0001 0x614E 0x00BC 0x0000 0x0001 0x0001 0x0001 0x0001" "$(poll -a 1 -r 1 -c 9)"
check "registers 9..50 reachable, all 0" "$(printf '0x0000 %.0s' $(seq 1 41))0x0000" "$(poll -a 1 -0 -r 9 -c 42)"
check "first register 10 refused (exception 2)" 1 "$(poll -a 1 -0 -r 10 -c 1 | grep -ioc 'illegal data address')"
check "count 43 refused (exception 3)" 1 "$(poll -a 1 -0 -r 0 -c 43 | grep -ioc 'illegal data value')"
check "another slave gets no reply" 1 "$(poll -a 2 -r 1 -c 1 | grep -ic 'timed out')"
sleep 0.3
check "lift reported the bad register" 1 "$(lift_said '\[1\] Неправильный адрес регистра')"
check "lift reported the bad count" 1 "$(lift_said '\[1\] Неправильное количество регистров')"
check "lift reported the other slave" 1 "$(lift_said '\[1\] Неправильный адрес SLAVE')"
end_session

echo "== a lift with a custom fault, mode, floor and slave address from its settings"
start_session 'SlaveAdr=17\r\nRegim=2\r\nFloor=-3\r\nNoLiftBreak=0\r\n[LiftBreak]\r\n13=1\r\nText0=ABCD\r\nCode0=7\r\nCur=0\r\n'
check "mode, floor, state, alarms, faults" "0x0002 0xFFFD 0x0001 0x0001 0x4000" "$(poll -a 17 -0 -r 4 -c 5)"
check "fault code and text in registers 9..12" "0x0007 0x4241 0x4443 0x0000" "$(poll -a 17 -0 -r 9 -c 4)"
end_session

echo "interop: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
