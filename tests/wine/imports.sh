#!/usr/bin/env bash
# Fails when the program file imports a DLL other than KERNEL32, ADVAPI32 and
# msvcrt: anything else might be missing on a user's Windows.
set -euo pipefail
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)
dlls=$("$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "FAIL: no import table read from $1"; exit 1; }
status=0
while read -r dll; do
  case ${dll^^} in
  KERNEL32.DLL | ADVAPI32.DLL | MSVCRT.DLL) echo "imports $dll" ;;
  *) echo "FAIL: imports $dll"; status=1 ;;
  esac
done <<<"$dlls"
exit $status
