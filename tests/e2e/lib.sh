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

# launch ARG...: starts the distribution's install.exe ($dist); the Wine tests
# put their own in its place.
launch() { "$dist/install.exe" "$@"; }

# run DIR [ARG...]: runs the installer from DIR with standard input at its
# end; sets $status and leaves the output in $work/out, errors in $work/err.
run() {
  local dir=$1
  shift
  status=0
  (cd "$dir" && launch "$@" </dev/null >"$work/out" 2>"$work/err") || status=$?
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

# lines_to_registry INSTALL_DIR NAME...: the lines up to "Creating Registry
# Entries...".
lines_to_registry() {
  local dir=$1 name
  shift
  banner
  crlf "Found the following archives:"
  for name in "$@"; do crlf "  $name"; done
  crlf "" "Creating $dir directory..." "Creating Registry Entries..."
}

# head_lines INSTALL_DIR NAME...: the lines up to "Uncompressing to".
head_lines() {
  lines_to_registry "$@"
  crlf "Creating SETENV.BAT..." "Uncompressing to $1"
}

settings_tree='Software\Cygnus Solutions\CYGWIN.DLL setup'

# settings_sections STORE: the settings tree's keys as a Linux store holds them.
settings_sections() {
  awk 'BEGIN { RS = "\r\n\r\n"; ORS = "\r\n\r\n" }
       index($0, "[HKEY_CURRENT_USER\\Software\\Cygnus Solutions\\CYGWIN.DLL setup") == 1' \
    "$1" 2>/dev/null
}

# mount_rows NATIVE: the mount table, a row a line: key|fsilent|native|unix.
mount_rows() {
  printf '%s\n' '00|1|\\.\tape1:|/dev/st1' '01|1|\\.\tape0:|/dev/st0' '02|1|\\.\b:|/dev/fd1' \
    '03|1|\\.\a:|/dev/fd0' "04|0|$1|/"
}

# export_text TEXT: TEXT as REGEDIT4 writes it between quotes.
export_text() { printf '%s' "$1" | sed -e 's/\\/\\\\/g' -e 's/"/\\"/g'; }

# mount_table_export NATIVE: the settings tree's keys as the Linux store
# holds them after a run.
mount_table_export() {
  local key fsilent native unix
  crlf "[HKEY_CURRENT_USER\\$settings_tree]" "" "[HKEY_CURRENT_USER\\$settings_tree\\b15.0]" "" \
    "[HKEY_CURRENT_USER\\$settings_tree\\b15.0\\mounts]" ""
  while IFS='|' read -r key fsilent native unix; do
    crlf "[HKEY_CURRENT_USER\\$settings_tree\\b15.0\\mounts\\$key]" '"fbinary"=dword:00000000' \
      "\"fsilent\"=dword:0000000$fsilent" "\"native\"=\"$(export_text "$native")\"" \
      "\"unix\"=\"$unix\"" ""
  done < <(mount_rows "$1")
}

# mount_table_query NATIVE: the settings tree as Wine's reg query /s lists it.
mount_table_query() {
  local key fsilent native unix
  crlf "" "HKEY_CURRENT_USER\\$settings_tree\\b15.0" "" \
    "HKEY_CURRENT_USER\\$settings_tree\\b15.0\\mounts" ""
  while IFS='|' read -r key fsilent native unix; do
    crlf "HKEY_CURRENT_USER\\$settings_tree\\b15.0\\mounts\\$key" \
      "    fbinary    REG_DWORD    0x0" "    fsilent    REG_DWORD    0x$fsilent" \
      "    native    REG_SZ    $native" "    unix    REG_SZ    $unix" ""
  done < <(mount_rows "$1")
}

# without_address FILE: the file with the failure report's code address
# blanked, as it differs from build to build.
without_address() { sed -E 's/^(Exception [A-Za-z]+ in module .* at )[0-9A-F]{8}\./\1XXXXXXXX./' "$1"; }

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
