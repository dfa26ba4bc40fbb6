#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
#
#   ensure-packages.sh posix|windows
#
# Runs apt-get as root, or through sudo where that works without a password;
# otherwise names the exact command to run and fails.
set -euo pipefail

case ${1:-posix} in
posix) packages=(cmake make g++ googletest libgtest-dev tar bzip2 clang-format clang-tidy git clang libclang-rt-14-dev) ;;
windows) packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 googletest binutils-mingw-w64-x86-64) ;;
*) echo "ensure-packages.sh: unknown set '$1'" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing ${missing[*]}..."
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
