#!/usr/bin/env bash
# Runs every test: the Linux build, the sanitizer build, the fuzz targets
# (a few seconds each, under the sanitizers), the Windows program
# under Wine, and the 32-bit Windows build (built only: there is no 32-bit
# Wine here). Ends with one line "tests: N passed, N failed, N skipped" and
# fails when any test failed or a build broke. Where the Windows tools cannot
# be had, their tests are reported as skipped, never as passed.
set -uo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo" || exit 1
"$repo/scripts/ensure-packages.sh" posix || exit 1

passed=0
failed=0
skipped=0
broken=()

# build_only PRESET: configures and builds a preset that has no tests to run.
build_only() {
  echo "=== $1 (build only)"
  cmake --workflow --preset "$1" || broken+=("$1")
}

# workflow PRESET: configures, builds and tests one preset and adds its
# counts to the totals.
workflow() {
  local preset=$1 log
  log=$(mktemp)
  echo "=== $preset"
  cmake --workflow --preset "$preset" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local summary
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    broken+=("$preset")
  else
    local failed_here total
    failed_here=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$((passed + total - failed_here))
    failed=$((failed + failed_here))
    [ "$rc" -eq 0 ] || [ "$failed_here" -gt 0 ] || broken+=("$preset")
  fi
  rm -f "$log"
}

workflow posix
workflow posix-sanitize
workflow fuzz

if "$repo/scripts/ensure-packages.sh" windows; then
  build_only windows-i686
  workflow windows
else
  echo "SKIPPED: the Windows build and its tests under Wine (mingw-w64 or Wine is missing; see above)"
  skipped=$((skipped + 1))
fi

echo
[ ${#broken[@]} -eq 0 ] || echo "did not build or test: ${broken[*]}"
echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] && [ ${#broken[@]} -eq 0 ]
