# Helpers shared by the end-to-end tests. Sourced, not run.
#
# Each test works in its own temporary directory ($work), which it leaves
# behind only when it fails, and keeps the registry store there too.

set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pendrake-e2e.XXXXXX")
export XDG_CONFIG_HOME="$work/config"
failures=0

finish() {
  if [ "$failures" -eq 0 ]; then
    rm -rf "$work"
    echo "PASS"
  else
    echo "FAIL: $failures check(s) failed; files kept in $work"
    exit 1
  fi
}

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# crlf LINE...: the lines, each ended by CR LF.
crlf() {
  local line
  for line in "$@"; do printf '%s\r\n' "$line"; done
}

banner() { crlf "INSTALL - pendrake for Win95/NT Release 4" ""; }

usage_screen() {
  crlf "Usage:" "  install install-directory" "" \
    "This program will install pendrake Release 4" \
    "to the install-directory from the current directory." "" "Press return to continue..."
}

# archive_lines RUNTIME_DIR NAME OUTCOME: the lines of one archive's expansion.
archive_lines() {
  crlf "Installing : $2" "tar -xvf$2 --use-compress-program=./bzip2 --directory=$1" "$3"
}

# head_lines INSTALL_DIR NAME...: the lines up to "Uncompressing to".
head_lines() {
  local dir=$1 name
  shift
  banner
  crlf "Found the following archives:"
  for name in "$@"; do crlf "  $name"; done
  crlf "" "Creating $dir directory..." "Creating Registry Entries..." "Creating SETENV.BAT..." \
    "Uncompressing to $dir"
}

# expect_same NAME EXPECTED_FILE ACTUAL_FILE: byte-for-byte comparison.
expect_same() {
  if ! cmp -s "$2" "$3"; then
    fail "$1 differs (expected, then actual, with line ends shown):"
    cat -A "$2" | sed 's/^/  - /'
    cat -A "$3" | sed 's/^/  + /'
  fi
}

expect_status() {
  [ "$2" = "$3" ] || fail "$1: exit status $3, expected $2"
}

expect_file() { [ -f "$1" ] || fail "missing file $1"; }
expect_no_entry() { [ ! -e "$1" ] || fail "unexpected $1"; }
