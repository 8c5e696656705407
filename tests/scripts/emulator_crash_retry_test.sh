#!/usr/bin/env bash
# Under emulation a Windows program that died of an illegal instruction is run again, twice at
# most; every other failure, and a third crash, is the program's own and stands. A program's
# output is relayed whole, and its run ends when it ends, whatever it left running.
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
check "two crashes are retried" 0 3 crashes_first 2
check "a third crash stands" 1 3 crashes_first 5
check "a plain failure is not retried" 1 1 fails_plainly
check "a pass runs once" 0 1 crashes_first 0
[ -s "$work/err" ] && fail "a pass wrote errors: $(cat "$work/err")"

# A program that leaves a process behind holding its output, as a wine program leaves wine's
# services: the run ends with the program, and nothing written is lost.
leaves_a_holder() {
  echo "first line"
  echo "an error" >&2
  sleep 20 &
  printf 'last line, no newline'
  return 3
}
status=0
start=$SECONDS
zel_run_relayed "$work/errcopy" leaves_a_holder 2>"$work/err" | cat >"$work/out"
status=${PIPESTATUS[0]}
[ $((SECONDS - start)) -lt 10 ] || fail "the run waited for what the program left running"
[ "$status" = 3 ] || fail "the program's status is lost: $status"
[ "$(cat "$work/out")" = "$(printf 'first line\nlast line, no newline')" ] ||
  fail "the output is not relayed whole: $(cat "$work/out")"
[ "$(cat "$work/err")" = "an error" ] || fail "the error output is not relayed: $(cat "$work/err")"
[ "$(cat "$work/errcopy")" = "an error" ] || fail "the error output's copy is lost"
[ "$(printf 'typed\n' | zel_run_relayed "" cat)" = typed ] || fail "the input does not reach the program"

[ $failures = 0 ] && echo "all checks passed"
exit $((failures > 0))
