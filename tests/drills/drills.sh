#!/usr/bin/env bash
# Fault drills: the Linux program run as a process while its environment
# breaks under it, each with what must be true afterwards.
#
#   drills.sh DRILL INSTALL_EXE STORE_DUMP FAIL_RENAME_LIB
source "$(dirname "$0")/../e2e/lib.sh"

drill=$1
program=$2
store_dump=$3
fail_rename=$4
dist="$work/dist"
store="$XDG_CONFIG_HOME/pendrake/HKEY_CURRENT_USER.reg"
# A sanitizer build's runtime must not mind a library preloaded before it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
"$repo/scripts/make-dist.sh" "$dist" "$program"

# store_values: the values the store holds, one a line; fails when it does
# not parse.
store_values() { "$store_dump" "$store"; }

restore_archives() {
  local archive
  for archive in "$dist"/*.installed; do
    [ -e "$archive" ] && mv "$archive" "${archive%.installed}"
  done
  return 0
}

expect_ending() {
  local last
  last=$(tail -n 1 "$work/out" | tr -d '\r')
  [ "$last" = "$1" ] || fail "$2: the run ended with [$last], expected [$1]"
}

mounts='\Software\Cygnus Solutions\CYGWIN.DLL setup\b15.0\mounts'

case $drill in
store_write_refused)
  # A fresh store takes 25 writes: each entry's key, then its four values.
  # Refuse each in turn: the report names it, everything before it stays.
  names=(fbinary fsilent native unix)
  for refused in $(seq 1 25); do
    rm -rf "$XDG_CONFIG_HOME"
    restore_archives
    status=0
    (cd "$dist" && LD_PRELOAD="$fail_rename" PENDRAKE_FAIL_RENAME_AT=$refused \
      "$dist/install.exe" "$work/tools" </dev/null >"$work/out" 2>"$work/err") || status=$?
    entry=$(((refused - 1) / 5))
    place=$(((refused - 1) % 5))
    if [ "$place" -eq 0 ]; then
      message="Failed to create key '$mounts\\0$entry'."
      kept=$((4 * entry))
    else
      message="Failed to set data for '${names[place - 1]}'."
      kept=$((4 * entry + place - 1))
    fi
    expect_status "write $refused refused" 1 "$status"
    [ "$(tail -n 1 "$work/out" | tr -d '\r')" = "$message" ] ||
      fail "write $refused refused: the report ends with [$(tail -n 1 "$work/out")]"
    values=$(store_values) || fail "write $refused refused: the store does not parse"
    [ "$(grep -c . <<<"$values")" -eq "$kept" ] ||
      fail "write $refused refused: the store holds $(grep -c . <<<"$values") values, not $kept"
    expect_no_entry "$work/tools/setenv.bat"
    expect_file "$dist/base.bz2"
  done
  ;;

killed_while_writing)
  # Killed at random moments, mostly while the store is rewritten: the store
  # always parses, holding the state before or after some whole write.
  for round in $(seq 1 40); do
    restore_archives
    (cd "$dist" && exec "$dist/install.exe" "$work/tools-$((round % 2))" </dev/null >/dev/null 2>&1) &
    sleep "0.0$((RANDOM % 60))"
    kill -KILL $! 2>/dev/null || true
    wait $! 2>/dev/null || true
    # Every write replaces the store whole, so it always parses.
    store_values >/dev/null || fail "round $round: the store does not parse"
  done
  ;;

concurrent_installers)
  # Two installers at once against one store: both finish, one table stays.
  cp -a "$dist" "$work/dist2"
  status=0
  (cd "$dist" && "$dist/install.exe" "$work/first" </dev/null >"$work/out1" 2>&1) &
  first=$!
  (cd "$work/dist2" && "$work/dist2/install.exe" "$work/second" </dev/null >"$work/out2" 2>&1) &
  second=$!
  wait $first || fail "the first installer failed: $(cat "$work/out1")"
  wait $second || fail "the second installer failed: $(cat "$work/out2")"
  settings_sections "$store" >"$work/registry"
  mount_table_export "$work/first" >"$work/expected1"
  mount_table_export "$work/second" >"$work/expected2"
  cmp -s "$work/registry" "$work/expected1" || cmp -s "$work/registry" "$work/expected2" ||
    fail "the store holds neither installer's whole table: $(cat "$work/registry")"
  ;;

file_size_limit)
  # Older copies in the tools bin directory, then a file size limit that the
  # larger install files exceed: no cut copy may stand where a whole one did.
  mkdir -p "$work/tools/pendrake/bin"
  for file in install.exe tar.exe bzip2.exe cygwinb19.dll; do
    printf 'an older %s\n' "$file" >"$work/tools/pendrake/bin/$file"
    touch -d '2001-01-01 12:00' "$work/tools/pendrake/bin/$file"
  done
  status=0
  (cd "$dist" && trap '' XFSZ && ulimit -f 200 &&
    "$dist/install.exe" "$work/tools" </dev/null >"$work/out" 2>"$work/err") || status=$?
  expect_status "size limit" 0 "$status"
  expect_ending "Install Complete" "size limit"
  for file in install.exe tar.exe bzip2.exe cygwinb19.dll; do
    copy="$work/tools/pendrake/bin/$file"
    if ! cmp -s "$copy" "$dist/$file" && [ "$(cat "$copy")" != "an older $file" ]; then
      fail "$file is neither the old copy nor the new one"
    fi
  done
  cmp -s "$work/tools/pendrake/bin/cygwinb19.dll" "$dist/cygwinb19.dll" ||
    fail "a copy within the limit was not made"
  [ "$(cat "$work/tools/pendrake/bin/install.exe")" = "an older install.exe" ] ||
    fail "the copy beyond the limit replaced the old one"
  leftovers=$(find "$work/tools" -name '*.??????' | head -n 3)
  [ -z "$leftovers" ] || fail "temporary files left behind: $leftovers"
  store_values >/dev/null || fail "the store does not parse"
  ;;

tool_behaviour)
  # tar.exe that crashes, takes its time, floods the console, or cannot be
  # run: the run goes on, and says what it could not do.
  cases=(crash slow flood not_executable)
  for behaviour in "${cases[@]}"; do
    restore_archives
    rm -rf "$work/tools"
    case $behaviour in
    crash) printf '#!/bin/sh\nkill -SEGV $$\n' >"$dist/tar.exe" ;;
    slow) printf '#!/bin/sh\nsleep 2\nexec tar "$@"\n' >"$dist/tar.exe" ;;
    flood) printf '#!/bin/sh\nhead -c 3000000 /dev/zero | tr "\\0" x\necho\nexec tar "$@"\n' >"$dist/tar.exe" ;;
    not_executable) cp "$(command -v tar)" "$dist/tar.exe" ;;
    esac
    chmod 755 "$dist/tar.exe"
    [ "$behaviour" = not_executable ] && chmod 644 "$dist/tar.exe"
    run "$dist" "$work/tools"
    case $behaviour in
    crash | not_executable)
      expect_status "$behaviour" 1 "$status"
      expect_ending "Install Incomplete" "$behaviour"
      [ "$(grep -c 'Unable to expand archive' "$work/out")" -eq 2 ] ||
        fail "$behaviour: not every archive was reported as not expanded"
      expect_file "$dist/base.bz2"
      ;;
    slow | flood)
      expect_status "$behaviour" 0 "$status"
      expect_ending "Install Complete" "$behaviour"
      [ "$(grep -c 'Completed OK' "$work/out")" -eq 2 ] || fail "$behaviour: not completed"
      expect_file "$work/tools/pendrake/bin/hello"
      expect_file "$dist/extra.bz2.installed"
      ;;
    esac
  done
  ;;

closed_output)
  # Whoever reads the output goes away after the first bytes: the run still
  # does every step, as a line that cannot be written is passed over.
  status=0
  (cd "$dist" && "$dist/install.exe" "$work/tools" </dev/null 2>"$work/err" | head -c 20 >/dev/null
    exit "${PIPESTATUS[0]}") || status=$?
  expect_status "closed output" 0 "$status"
  expect_file "$dist/base.bz2.installed"
  expect_file "$dist/extra.bz2.installed"
  expect_file "$work/tools/setenv.bat"
  expect_file "$work/tools/pendrake/bin/install.exe"
  ;;

awkward_names)
  # Blanks, a quote, leading dashes, 8-bit bytes and a 300-character
  # install directory: every archive is expanded and renamed, the registry
  # and setenv.bat name the directory as it was given.
  long="$work/$(printf 'long%.0s' $(seq 1 40))/-rf dir \"q\" $(printf '\xe9t\xe9')/$(printf 'x%.0s' $(seq 1 120))"
  # The command line cannot carry a double quote: the directory is taken
  # without it, as on Windows.
  typed=${long//\"/}
  mkdir -p "$(dirname "$typed")"
  for name in '-rf.bz2' 'q"uote.bz2' "$(printf '\xe9t\xe9.bz2')" "$(printf 'n%.0s' $(seq 1 240)).bz2" \
    'two  blanks.bz2'; do
    cp "$dist/base.bz2" "$dist/$name"
  done
  run "$dist" "$long"
  expect_status "awkward names" 0 "$status"
  expect_ending "Install Complete" "awkward names"
  [ "${#typed}" -gt 300 ] || fail "the install directory is only ${#typed} characters"
  expect_file "$typed/pendrake/bin/hello"
  remaining=$(find "$dist" -name '*.bz2' | head -n 3)
  [ -z "$remaining" ] || fail "archives not renamed: $remaining"
  crlf "path=$typed\\pendrake\\bin;%path%" >"$work/expected"
  expect_same setenv.bat "$work/expected" "$typed/setenv.bat"
  store_values | grep -qF "mounts\\04|native|1|$typed" || fail "the root entry does not name the directory"
  ;;

blocked_paths)
  # The tools bin directory is a file (and no archive brings one in its
  # place); then the install directory is one.
  rm "$dist"/*.bz2
  mkdir -p "$work/doc-only/pendrake/doc"
  printf 'documentation\n' >"$work/doc-only/pendrake/doc/README"
  (cd "$work/doc-only" && tar -cjf "$dist/doc.bz2" pendrake)
  mkdir -p "$work/tools/pendrake"
  printf 'in the way' >"$work/tools/pendrake/bin"
  run "$dist" "$work/tools"
  expect_status "bin is a file" 0 "$status"
  expect_ending "Install Complete" "bin is a file"
  [ "$(cat "$work/tools/pendrake/bin")" = "in the way" ] || fail "the file in the way was changed"
  expect_file "$work/tools/pendrake/doc/README"

  restore_archives
  printf 'in the way' >"$work/plain-file"
  run "$dist" "$work/plain-file"
  expect_status "install directory is a file" 1 "$status"
  grep -q 'Unable to expand archive' "$work/out" || fail "the archive was not reported"
  expect_file "$dist/doc.bz2"
  expect_ending "Install Incomplete" "install directory is a file"
  [ "$(cat "$work/plain-file")" = "in the way" ] || fail "the file in the way was changed"
  store_values >/dev/null || fail "the store does not parse"
  ;;

*)
  fail "no such drill: $drill"
  ;;
esac
finish
