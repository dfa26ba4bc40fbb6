#!/usr/bin/env bash
# Makes a sample pendrake distribution directory: install.exe, tar.exe,
# bzip2.exe, a stand-in cygwinb19.dll and two small bzip2-compressed tar
# archives holding pendrake/bin/... files.
#
#   make-dist.sh DIR INSTALL_EXE [TAR_EXE [BZIP2_EXE]]
#
# TAR_EXE and BZIP2_EXE default to the system's GNU tar and bzip2.
set -euo pipefail

dist=${1:?usage: make-dist.sh DIR INSTALL_EXE [TAR_EXE [BZIP2_EXE]]}
install_exe=${2:?usage: make-dist.sh DIR INSTALL_EXE [TAR_EXE [BZIP2_EXE]]}
tar_exe=${3:-$(command -v tar)}
bzip2_exe=${4:-$(command -v bzip2)}

mkdir -p "$dist"
cp "$install_exe" "$dist/install.exe"
cp "$tar_exe" "$dist/tar.exe"
cp "$bzip2_exe" "$dist/bzip2.exe"
printf 'stand-in for the POSIX-emulation runtime DLL\n' > "$dist/cygwinb19.dll"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/base/pendrake/bin" "$work/base/pendrake/doc"
printf '#!/bin/sh\necho hello from pendrake\n' > "$work/base/pendrake/bin/hello"
chmod 755 "$work/base/pendrake/bin/hello"
printf 'pendrake Release 4\n' > "$work/base/pendrake/doc/README"
(cd "$work/base" && tar -cjf "$dist/base.bz2" pendrake)

mkdir -p "$work/extra/pendrake/bin"
printf '#!/bin/sh\nwc -l "$@"\n' > "$work/extra/pendrake/bin/lines"
chmod 755 "$work/extra/pendrake/bin/lines"
(cd "$work/extra" && tar -cjf "$dist/extra.bz2" pendrake)
