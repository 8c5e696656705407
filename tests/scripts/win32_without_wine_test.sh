#!/usr/bin/env bash
# The Windows module is built with MinGW alone: the win32 preset configures on a PATH that holds
# no wine, and a Windows program run there through scripts/wine fails with one line that says
# what is missing, also beside a half-made root of wine's own.
#   win32_without_wine_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Wine's own root (scripts/wine-root) is not there either: a folder of that name that was never
# finished must not pass for one.
export ZEL_WINE_ROOT=$work/wine-root
mkdir -p "$ZEL_WINE_ROOT/usr/bin"

# A PATH of links to every program on the real one but wine's.
mkdir -p "$work/bin"
IFS=: read -r -a path_dirs <<<"$PATH"
for dir in "${path_dirs[@]}"; do
  for program in "$dir"/*; do
    name=${program##*/}
    case $name in wine*) continue ;; esac
    [ -x "$program" ] && [ ! -e "$work/bin/$name" ] && ln -s "$program" "$work/bin/$name"
  done
done
export PATH=$work/bin
command -v wine >/dev/null && fail "wine is still on the PATH"

if ! cmake --preset win32 -S "$source_dir" -B "$work/build" -DZEL_WINE_MODE=native \
  >"$work/configure.log" 2>&1; then
  fail "the win32 preset does not configure without wine:"
  tail -20 "$work/configure.log"
fi

[ "$("$source_dir/scripts/wine-root" place)" = none ] ||
  fail "without wine, wine is at '$("$source_dir/scripts/wine-root" place)'"
"$source_dir/scripts/wine" "$work/build/missing.exe" >"$work/wine.out" 2>&1
status=$?
[ $status -eq 127 ] || fail "scripts/wine without wine: status $status"
expected="wine: wine is not installed; scripts/install-deps wine installs it"
[ "$(cat "$work/wine.out")" = "$expected" ] ||
  fail "scripts/wine without wine says: $(cat "$work/wine.out")"

[ $failures -eq 0 ] && echo "win32 without wine: all cases passed"
exit $((failures > 0))
