#!/usr/bin/env bash
# Runs one fuzz target for a bounded time over its seed corpus and the
# inputs that once crashed it. A new crash fails the test, and its input is
# kept in tests/fuzz/regressions/NAME/ to be committed as a regression case.
#
#   run-fuzzer.sh FUZZER NAME SECONDS
set -uo pipefail
fuzzer=$1
name=$2
seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
regressions="$here/regressions/$name"
corpus=$(mktemp -d "${TMPDIR:-/tmp}/pendrake-fuzz-$name.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
mkdir -p "$regressions"

"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
  -artifact_prefix="$regressions/" "$corpus" "$here/corpus/$name" "$regressions" 2>&1 | tail -n 25
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  echo "FAIL: fuzz target $name failed (status $status); the input is kept in $regressions:"
  ls -l "$regressions"
  exit 1
fi
echo "fuzz target $name: no failure in $seconds s"
