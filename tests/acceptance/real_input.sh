#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Real input: on the X display where kinshu runs, xdotool moves the mouse,
# clicks the controls at their places on the screen and types on the
# keyboard. The probe says where the controls are, where the focus is and
# what the box and the list hold; the exit code comes from the process
# itself. Every step waits for what it must bring about, for a bounded time.
#   real_input.sh BUILD_DIR      (build/windows)
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=../../tools/common.sh
. "$here/../../tools/common.sh"
# shellcheck source=../support/check.sh
. "$here/../support/check.sh"
run="$kinshu_root/tools/wine-run"
probe="$build/tests/kinshu_probe.exe"

DISPLAY=$(kinshu_start_wine_display)
export DISPLAY

# Whichever way the script ends, a kinshu that it started and that still
# runs ends with it.
program=
trap '[ -z "$program" ] || kill "$program" 2>/dev/null || true' EXIT

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

rows() { "$run" "$probe" rows | tr -d '\r' | cut -f1-3 | tr '\t\n' ' |'; }
state() { "$run" "$probe" state | tr -d '\r' | tr '\t' ' '; }

# The program handles the X events in its own time: asks again until the
# answer is the expected one, for at most 10 s, and prints the last answer
# (which check then compares, so that a wait that ran out says what it saw).
when() { # expected command
  local got
  for _ in $(seq 100); do
    got=$($2)
    [ "$got" = "$1" ] && break
    sleep 0.1
  done
  echo "$got"
}

click() { # control name
  # shellcheck disable=SC2086
  xdotool mousemove --sync ${at[$1]} click 1
}

# Clicks into the box and waits until it has the focus (its ID is 101).
focus_box() { # text the box holds
  click edit
  check "focus in the box" "101 $1" "$(when "101 $1" state)"
}

type_keys() { # keys, text the box then holds
  xdotool type --delay 40 "$1"
  check "box after typing $1" "101 $2" "$(when "101 $2" state)"
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

# A session typed and clicked by hand.
start_program
focus_box ""
type_keys "12a3" "123"             # the box takes digits only
click input
check "first row" "1 123 0|" "$(when "1 123 0|" rows)"
focus_box ""
type_keys "4000" "4000"
xdotool key Return                 # Enter is no button press: nothing happens
click input
check "second row" "1 123 0|2 4000 0|" "$(when "1 123 0|2 4000 0|" rows)"
click total
expected="1 123 0|2 4000 0|SUM 4123 0|"
check "rows after two amounts and a Total" "$expected" "$(when "$expected" rows)"
check "2,000-yen notes of 4000" "2" "$("$run" "$probe" rows | sed -n 2p | cut -f5)"
click close
check "exit code after the Close button" 0 "$(wait_exit)"

# Closed through the caption's close box.
start_program
focus_box ""
type_keys "5" "5"
click input
check "row typed before the close box" "1 5 0|" "$(when "1 5 0|" rows)"
click closebox
check "exit code after the close box" 0 "$(wait_exit)"

report
