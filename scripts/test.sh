#!/usr/bin/env bash
# Builds Arbordir natively (with ASan and UBSan), for Windows and for fuzzing, and runs every
# test: the portable libraries natively, the Windows programs under Wine on a private virtual
# display, and the fuzzers over their corpora. Exits non-zero when anything fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh || exit 1

failed_steps=()
passed=0
failed=0

# Runs one CTest suite and adds its counts to the totals.
run_suite() {
  local name=$1
  shift
  local log
  log=$(mktemp)
  echo "== $name"
  "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local total fails
    fails=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
  fi
  rm -f "$log"
  [ "$status" -eq 0 ] || failed_steps+=("$name")
}

# Configures and builds a preset; a failure is recorded and the suite skipped.
build() {
  local preset=$1
  echo "== build $preset"
  if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; then
    return 0
  fi
  failed_steps+=("build $preset")
  return 1
}

if build native; then
  run_suite "native tests" ctest --preset native
fi

if build windows; then
  scripts/wine-prefix.sh build/windows/wineprefix
  export WINEPREFIX="$root/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  run_suite "Windows tests under Wine" scripts/with-display.sh ctest --preset windows
  unset WINEPREFIX
fi

if build fuzz; then
  run_suite "fuzzer corpora" ctest --test-dir build/fuzz --output-on-failure
fi

echo
if [ ${#failed_steps[@]} -gt 0 ]; then
  echo "failed: ${failed_steps[*]}"
fi
echo "tests: $passed passed, $failed failed"
[ ${#failed_steps[@]} -eq 0 ]
