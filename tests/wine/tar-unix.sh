#!/bin/bash
# The Unix half of the Windows tests' tar.exe: runs GNU tar with the options
# it was given, the runtime path form //X/rest turned into the Unix directory
# behind drive X: of the Wine prefix, and writes tar's exit status last, to
# the file tar.exe waits for.
PATH=/usr/local/bin:/usr/bin:/bin
status_file="$(dirname "$0")/${PENDRAKE_TAR_STATUS:?}"
arguments=()
for argument in "$@"; do
  case $argument in
  --directory=//?/* | --directory=//?)
    path=${argument#--directory=//}
    drive=${path:0:1}
    argument="--directory=$WINEPREFIX/dosdevices/${drive,,}:${path:1}"
    ;;
  esac
  arguments+=("$argument")
done
tar "${arguments[@]}"
status=$?
echo "$status" >"$status_file.part"
mv "$status_file.part" "$status_file"
