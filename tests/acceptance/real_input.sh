#!/usr/bin/env bash
# Real input: on the X display where kinshu runs, xdotool moves the mouse,
# clicks the controls at their places on the screen and types on the
# keyboard. The probe says where the controls are and reads the list back;
# the exit code comes from the process itself.
#   real_input.sh BUILD_DIR      (build/windows)
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/tools/wine-run"
probe="$build/tests/kinshu_probe.exe"

env_line=$("$run" --env)
DISPLAY=$(sed -n 's/.*DISPLAY=\([^ ]*\).*/\1/p' <<<"$env_line")
export DISPLAY
failures=0
passes=0

check() { # what expected actual
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
    passes=$((passes + 1))
  else
    echo "FAIL: $1"
    echo "  expected: $(printf '%q' "$2")"
    echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

declare -A at
start_program() {
  "$run" "$build/kinshu.exe" &
  program=$!
  local name x y
  while read -r name x y; do
    at[$name]="$x $y"
  done < <("$run" "$probe" locate)
  [ -n "${at[edit]:-}" ] || { echo "FAIL: no kinshu window"; exit 1; }
}

click() { # control name
  # shellcheck disable=SC2086
  xdotool mousemove ${at[$1]} click 1
  sleep 0.3
}

# Waits at most 20 s for the program to end; prints its exit code.
wait_exit() {
  for _ in $(seq 200); do
    if ! kill -0 "$program" 2>/dev/null; then
      local rc=0
      wait "$program" || rc=$?
      echo "$rc"
      return
    fi
    sleep 0.1
  done
  kill "$program" 2>/dev/null || true
  echo "still running"
}

rows() { "$run" "$probe" rows | cut -f1-3 | tr '\t\n' ' |'; }

# The program handles the X events in its own time: the list is read again
# until it shows what is expected, for at most 5 s.
rows_when() { # expected
  local got
  for _ in $(seq 50); do
    got=$(rows)
    [ "$got" = "$1" ] && break
    sleep 0.1
  done
  echo "$got"
}

# A session typed and clicked by hand.
start_program
click edit
xdotool type --delay 40 "12a3"   # the box takes digits only
click input
click edit
xdotool type --delay 40 "4000"
xdotool key Return                # Enter is no button press: nothing happens
click input
click total
expected="1 123 0|2 4000 0|SUM 4123 0|"
check "rows after two amounts and a Total" "$expected" "$(rows_when "$expected")"
check "2,000-yen notes of 4000" "2" "$("$run" "$probe" rows | sed -n 2p | cut -f5)"
click close
check "exit code after the Close button" 0 "$(wait_exit)"

# Closed through the caption's close box.
start_program
click edit
xdotool type --delay 40 "5"
click input
check "row typed before the close box" "1 5 0|" "$(rows_when "1 5 0|")"
click closebox
check "exit code after the close box" 0 "$(wait_exit)"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
