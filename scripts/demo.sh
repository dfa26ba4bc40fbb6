#!/usr/bin/env bash
# Builds the installer, runs it on the sample distribution into a fresh
# temporary install directory, and shows what it left behind.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
scripts/ensure-packages.sh posix
cmake --preset posix >/dev/null
cmake --build --preset posix --target installer sample_dist >/dev/null

demo=$(mktemp -d "${TMPDIR:-/tmp}/pendrake-demo.XXXXXX")
cp -a build/posix/sample "$demo/dist"
# The demo's registry store stays inside the demo directory.
export XDG_CONFIG_HOME="$demo/config"

echo "\$ cd $demo/dist && ./install.exe $demo/tools"
status=0
(cd "$demo/dist" && ./install.exe "$demo/tools") || status=$?
echo "(exit status $status)"
echo
echo "--- the distribution directory afterwards"
ls -l "$demo/dist"
echo
echo "--- the install directory"
(cd "$demo/tools" && find . -print | sort)
if [ -f "$demo/tools/setenv.bat" ]; then
  echo
  echo "--- setenv.bat"
  cat "$demo/tools/setenv.bat"
fi
store="$XDG_CONFIG_HOME/pendrake/HKEY_CURRENT_USER.reg"
if [ -f "$store" ]; then
  echo
  echo "--- the registry ($store)"
  cat "$store"
fi
echo
echo "Everything is in $demo; remove it with: rm -rf $demo"
