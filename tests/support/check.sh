# shellcheck shell=bash
# The checks of the test scripts: `check WHAT EXPECTED ACTUAL` prints ok or
# FAIL with both values; `report` prints the count and fails when any check
# did.
failures=0
passes=0

check() {
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

report() {
  echo "$passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}
