#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files -co --exclude-standard -- '*.cc' '*.h' 2>/dev/null || find src tests -name '*.cc' -o -name '*.h')
# shellcheck disable=SC2086 # one file name a word
if clang-format --dry-run --Werror $files; then
  echo "formatted: $(wc -w <<<"$files") files"
else
  echo "FAIL: run clang-format -i on the files above"
  exit 1
fi
