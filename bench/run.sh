#!/usr/bin/env bash
# Measures what the installer costs on top of the work it hands to tar.
#
#   bash bench/run.sh [RUNS]
#
# 1. A realistic distribution (5 archives, about 40 MB and 3000 files
#    expanded) installed by install.exe, against the same tar commands and
#    copies done by hand, runs interleaved: median wall times and their ratio.
# 2. The fixed cost: install.exe with a tar.exe that does nothing, against a
#    plain program that starts the same number of children.
# 3. The installer's own peak memory (maximum resident set, from the run with
#    the do-nothing tar.exe, whose children are far smaller).
# Not a test: it reports figures and judges nothing.
set -euo pipefail

runs=${1:-5}
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
scripts/ensure-packages.sh posix >/dev/null
cmake --preset posix >/dev/null
cmake --build --preset posix --target installer >/dev/null
program="$repo/build/posix/install.exe"
work=$(mktemp -d "${TMPDIR:-/tmp}/pendrake-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
g++ -O2 -o "$work/spawn_children" bench/spawn_children.cc

now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.1f", ns / 1e6 }'; }

echo "Making the distribution..."
dist="$work/dist"
"$repo/scripts/make-dist.sh" "$dist" "$program" >/dev/null
rm "$dist"/*.bz2
head -c 9000 /dev/urandom | base64 >"$work/sample"
for part in 1 2 3 4 5; do
  tree="$work/tree$part/pendrake/lib/part$part"
  mkdir -p "$tree"
  for i in $(seq 1 600); do
    { echo "file $part/$i"; cat "$work/sample"; } >"$tree/f$i.txt"
  done
  (cd "$work/tree$part" && tar -cjf "$dist/part$part.bz2" pendrake)
  rm -rf "$work/tree$part"
done
archives=(part1.bz2 part2.bz2 part3.bz2 part4.bz2 part5.bz2)
expanded=$((5 * 600 * $(stat -c %s "$work/sample") / 1000000))

restore() {
  local archive
  for archive in "$1"/*.installed; do [ -e "$archive" ] && mv "$archive" "${archive%.installed}"; done
  return 0
}

by_installer=()
by_hand=()
echo "Installing $runs times each way (${#archives[@]} archives, about $expanded MB)..."
for run in $(seq 1 "$runs"); do
  rm -rf "$work/inst" "$XDG_CONFIG_HOME"
  restore "$dist"
  sync
  start=$(now)
  (cd "$dist" && ./install.exe "$work/inst" >/dev/null)
  by_installer+=($(($(now) - start)))

  rm -rf "$work/inst"
  restore "$dist"
  sync
  start=$(now)
  (
    cd "$dist"
    mkdir "$work/inst"
    for archive in "${archives[@]}"; do
      ./tar.exe -xf"$archive" --use-compress-program=bzip2 --directory="$work/inst"
    done
    for file in install.exe tar.exe bzip2.exe cygwinb19.dll; do
      cp -p "$file" "$work/inst/pendrake/bin/" 2>/dev/null || true
    done
  )
  by_hand+=($(($(now) - start)))
done
installer_ms=$(printf '%s\n' "${by_installer[@]}" | median)
hand_ms=$(printf '%s\n' "${by_hand[@]}" | median)

echo "Measuring the fixed cost..."
rm -rf "$work/inst"
sync
noop="$work/noop"
mkdir -p "$noop"
cp "$program" "$noop/install.exe"
cp /bin/true "$noop/tar.exe"
cp "$dist/bzip2.exe" "$dist/cygwinb19.dll" "$noop/"
for archive in "${archives[@]}"; do : >"$noop/$archive"; done
fixed=()
bare=()
for run in $(seq 1 $((runs * 4))); do
  rm -rf "$work/inst-noop" "$XDG_CONFIG_HOME"
  restore "$noop"
  sync
  start=$(now)
  (cd "$noop" && ./install.exe "$work/inst-noop" >/dev/null)
  fixed+=($(($(now) - start)))
  start=$(now)
  (cd "$noop" && "$work/spawn_children" "${#archives[@]}")
  bare+=($(($(now) - start)))
done
fixed_ms=$(printf '%s\n' "${fixed[@]}" | median)
bare_ms=$(printf '%s\n' "${bare[@]}" | median)

rm -rf "$work/inst-noop" "$XDG_CONFIG_HOME"
restore "$noop"
peak_kb=$(cd "$noop" && /usr/bin/time -f %M ./install.exe "$work/inst-noop" 2>&1 >/dev/null | tail -n 1)

echo
echo "pendrake installer benchmark, $(date -u +%Y-%m-%d), $(nproc) cores, median of $runs (fixed cost: of $((runs * 4)))"
printf '%-44s %10s ms\n' "install.exe, ${#archives[@]} archives, ~$expanded MB:" "$(ms "$installer_ms")"
printf '%-44s %10s ms\n' "the same tar commands and copies by hand:" "$(ms "$hand_ms")"
awk -v a="$installer_ms" -v b="$hand_ms" 'BEGIN { printf "%-44s %10.3f (target: at most 1.02)\n", "ratio:", a / b }'
printf '%-44s %10s ms\n' "install.exe with a tar.exe that does nothing:" "$(ms "$fixed_ms")"
printf '%-44s %10s ms\n' "a program starting the same ${#archives[@]} children:" "$(ms "$bare_ms")"
awk -v a="$fixed_ms" -v b="$bare_ms" 'BEGIN { printf "%-44s %10.2f (target: at most 1.5)\n", "fixed-cost ratio:", a / b }'
awk -v kb="$peak_kb" 'BEGIN { printf "%-44s %10.2f MB (target: under 4)\n", "install.exe peak memory:", kb / 1024 }'
