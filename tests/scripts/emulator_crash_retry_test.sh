#!/usr/bin/env bash
# Under emulation a Windows program that died of an illegal instruction is run once more; every
# other failure, and a second crash, is the program's own and stands.
#   emulator_crash_retry_test.sh SCRIPTS_DIR
set -uo pipefail
source "$1/wine-env"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A program that crashes the first N times it runs, then passes; it counts its runs.
crashes_first() {
  local runs
  runs=$(($(cat "$work/runs" 2>/dev/null || echo 0) + 1))
  echo $runs >"$work/runs"
  echo "output of run $runs"
  if [ "$runs" -le "$1" ]; then
    echo "wine: Unhandled illegal instruction at address 0047F4B1 (thread 01c4), starting debugger..." >&2
    return 1
  fi
  return 0
}

fails_plainly() {
  echo $(($(cat "$work/runs" 2>/dev/null || echo 0) + 1)) >"$work/runs"
  echo "[  FAILED  ] Some.Case" >&2
  return 1
}

check() {  # check WHAT EXPECTED_STATUS EXPECTED_RUNS COMMAND...
  local what=$1 want_status=$2 want_runs=$3 status=0
  shift 3
  rm -f "$work/runs"
  ZEL_RETRY_NAME=prog.exe zel_retry_emulator_crash "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" = "$want_status" ] || fail "$what: status $status, expected $want_status"
  [ "$(cat "$work/runs")" = "$want_runs" ] || fail "$what: $(cat "$work/runs") runs, expected $want_runs"
}

check "one crash is retried" 0 2 crashes_first 1
grep -q "prog.exe died of an illegal instruction under emulation; running it once more" \
  "$work/err" || fail "the retry is not said: $(cat "$work/err")"
grep -q "output of run 2" "$work/out" || fail "the retry's output is lost"
check "a second crash stands" 1 2 crashes_first 5
check "a plain failure is not retried" 1 1 fails_plainly
check "a pass runs once" 0 1 crashes_first 0
[ -s "$work/err" ] && fail "a pass wrote errors: $(cat "$work/err")"

[ $failures = 0 ] && echo "all checks passed"
exit $((failures > 0))
