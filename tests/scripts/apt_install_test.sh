#!/usr/bin/env bash
# scripts/apt-install against a package mirror halfway through an update, simulated by a local
# repository in a temporary folder whose i386 package list does not match its Release file.
# apt runs on a temporary configuration of its own (sources, lists, status, cache), and only
# simulates installing, so the machine's own apt state is never touched.
#   apt_install_test.sh SCRIPTS_DIR
set -uo pipefail
scripts=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A Packages stanza of a package that no machine has installed.
stanza() {
  printf 'Package: %s\nVersion: 1.0\nArchitecture: %s\nMaintainer: zelXML tests <t@example.org>\nFilename: pool/%s_1.0_%s.deb\nSize: 100\nSHA256: %064d\nDescription: test package\n\n' \
    "$1" "$2" "$1" "$2" 0
}

# add_suite REPO SUITE BREAK_I386: a suite of one package per architecture, named after the
# suite; with BREAK_I386=1 the i386 list changes after the Release file has recorded it.
add_suite() {
  local dists=$work/$1/dists/$2
  mkdir -p "$dists/main/binary-amd64" "$dists/main/binary-i386"
  stanza "zel-$2-tool" amd64 >"$dists/main/binary-amd64/Packages"
  stanza "zel-$2-lib" i386 >"$dists/main/binary-i386/Packages"
  {
    echo "Suite: $2"
    echo "Codename: $2"
    echo "Architectures: amd64 i386"
    echo "Components: main"
    echo "Date: $(date -Ru)"
    echo "SHA256:"
    for list in main/binary-amd64/Packages main/binary-i386/Packages; do
      echo " $(sha256sum "$dists/$list" | cut -d' ' -f1) $(stat -c %s "$dists/$list") $list"
    done
  } >"$dists/Release"
  [ "$3" = 1 ] && stanza "zel-$2-late" i386 >>"$dists/main/binary-i386/Packages"
  echo "deb [trusted=yes] file:$work/$1 $2 main" >>"$work/$1.sources"
}

# apt_with REPO: exports the apt options of a temporary configuration that knows only REPO.
apt_with() {
  local conf=$work/apt-$1
  rm -rf "$conf" && mkdir -p "$conf/lists/partial" "$conf/cache/archives/partial" "$conf/parts"
  cp "$work/$1.sources" "$conf/sources.list"
  : >"$conf/status"
  export ZEL_APT_OPTIONS="-o Dir::Etc::sourcelist=$conf/sources.list
    -o Dir::Etc::sourceparts=$conf/parts -o Dir::State::lists=$conf/lists
    -o Dir::State::status=$conf/status -o Dir::Cache=$conf/cache
    -o APT::Architecture=amd64 -o APT::Architectures::=amd64 -o APT::Architectures::=i386
    -o Debug::NoLocking=1 -o APT::Sandbox::User=$(id -un)"
  export ZEL_APT_UPDATE_TRIES=2 ZEL_APT_UPDATE_PAUSE=0
}

# run PACKAGE...: the installer's status and its last line of output.
run() {
  "$scripts/apt-install" --simulate "$@" >"$work/out" 2>&1
  status=$?
  last=$(tail -n 1 "$work/out")
}

# Like the Debian mirror whose security suite was being synchronised: the main suite whole, the
# other suite's i386 list broken.
add_suite broken zelmain 0
add_suite broken zelsec 1
add_suite healthy zelmain 0
add_suite healthy zelsec 0
apt_before=$(ls -l --time-style=full-iso /var/lib/apt/lists 2>/dev/null)

# A broken index that is not needed stops nothing.
apt_with broken
run zel-zelmain-tool zel-zelmain-lib:i386
[ $status -eq 0 ] || fail "packages of the whole suite: status $status: $(cat "$work/out")"
grep -q "could not all be updated" "$work/out" || fail "the failed update is not reported"
grep -q "failed: file:$work/broken/dists/zelsec/main/binary-i386/Packages" "$work/out" ||
  fail "the failed index is not named: $(cat "$work/out")"

# A needed package from the broken index is named, with the index.
run zel-zelmain-tool zel-zelsec-lib:i386
expected="install-deps: cannot install zel-zelsec-lib:i386: the i386 package list of zelsec failed to download; try again later"
[ $status -eq 3 ] || fail "an i386 package from the broken list: status $status"
[ "$last" = "$expected" ] || fail "an i386 package from the broken list: '$last'"

# The same packages from a healthy mirror.
apt_with healthy
run zel-zelmain-tool zel-zelsec-lib:i386
[ $status -eq 0 ] || fail "a healthy mirror: status $status: $(cat "$work/out")"
grep -q "could not all be updated" "$work/out" && fail "a healthy mirror reports a failed update"

# A package that no index has is a failure of its own, not blamed on any index.
run zel-test-missing
[ $status -eq 1 ] || fail "an unknown package: status $status"
case $last in
  *"cannot install zel-test-missing: apt-get install failed"*) ;;
  *) fail "an unknown package: '$last'" ;;
esac

[ "$apt_before" = "$(ls -l --time-style=full-iso /var/lib/apt/lists 2>/dev/null)" ] ||
  fail "the machine's own package lists changed"

[ $failures -eq 0 ] && echo "apt-install: all cases passed"
exit $((failures > 0))
