#!/usr/bin/env bash
# Makes the Wine prefix for one test run and keeps its wineserver running
# (setup), or stops the server and removes the prefix (cleanup).
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

case ${1:-} in
setup)
  "$wineserver" -k >/dev/null 2>&1
  "$wineserver" -w >/dev/null 2>&1
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$wine" wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot could not make $WINEPREFIX"; exit 1; }
  "$wineserver" -p
  # One call with the standard streams redirected lets Wine's long-lived
  # services settle before the tests start.
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1
  echo "Wine prefix ready in $WINEPREFIX"
  ;;
cleanup)
  socket_dir=""
  [ -f "$WINEPREFIX/wineserver" ] && socket_dir=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
  "$wineserver" -k >/dev/null 2>&1
  "$wineserver" -w >/dev/null 2>&1
  rm -rf "$WINEPREFIX"
  case $socket_dir in "${TMPDIR:-/tmp}"/wine-*) rm -rf "$socket_dir" ;; esac
  echo "Wine prefix removed"
  ;;
*)
  echo "usage: prefix.sh setup|cleanup" >&2
  exit 2
  ;;
esac
