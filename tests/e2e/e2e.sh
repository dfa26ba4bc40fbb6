#!/usr/bin/env bash
# End-to-end tests: the real install.exe run as a process from a distribution
# of real bzip2-compressed tar archives, natively on Linux or under Wine.
#
#   e2e.sh posix CASE INSTALL_EXE
#   e2e.sh wine CASE INSTALL_EXE TAR_SHIM_EXE
#
# Under Wine, tar.exe is the tests' shim that runs GNU tar on the Unix side,
# and install directories are drive paths in the test prefix. The expected
# transcripts are built by the same code for both, so the two programs are
# held to the same bytes but for the paths themselves.
source "$(dirname "$0")/lib.sh"

platform=$1
case_name=$2
program=$3
dist="$work/dist"

case $platform in
posix)
  "$repo/scripts/make-dist.sh" "$dist" "$program"
  # install_dir NAME, runtime_dir NAME, unix_dir NAME: an install directory
  # as typed, as the runtime names it, and where it lies on this machine.
  install_dir() { printf '%s' "$work/$1"; }
  runtime_dir() { install_dir "$1"; }
  unix_dir() { install_dir "$1"; }
  launch() { "$dist/install.exe" "$@"; }
  ;;
wine)
  source "$repo/tests/wine/wine-env.sh"
  "$repo/scripts/make-dist.sh" "$dist" "$program" "$4"
  cp "$repo/tests/wine/tar-unix.sh" "$dist/"
  install_dir() { printf 'C:\\pd-%s-%s' "$case_name" "$1"; }
  runtime_dir() { printf '//C/pd-%s-%s' "$case_name" "$1"; }
  unix_dir() { printf '%s/dosdevices/c:/pd-%s-%s' "$WINEPREFIX" "$case_name" "$1"; }
  launch() { "$wine" "$dist/install.exe" "$@"; }
  ;;
*)
  fail "no such platform: $platform"
  finish
  ;;
esac

# run DIR [ARG...]: runs the installer from DIR with standard input at its
# end; sets $status and leaves the output in $work/out.
run() {
  local dir=$1
  shift
  status=0
  (cd "$dir" && launch "$@" </dev/null >"$work/out" 2>"$work/err") || status=$?
}

expect_expanded() {
  expect_file "$1/pendrake/bin/hello"
  expect_file "$1/pendrake/bin/lines"
  expect_file "$1/pendrake/doc/README"
}

# transcript INSTALL_DIR ENDING NAME=OUTCOME...: the whole console output of
# a run that lists and expands these archives and ends with ENDING.
transcript() {
  local inst=$1 ending=$2 pair names=() runtime
  shift 2
  for pair in "$@"; do names+=("${pair%%=*}"); done
  runtime=$(runtime_dir "$inst")
  case $runtime in *' '*) runtime="\"$runtime\"" ;; esac
  head_lines "$(install_dir "$inst")" "${names[@]}"
  for pair in "$@"; do archive_lines "$runtime" "${pair%%=*}" "${pair#*=}"; done
  crlf "Copying install files to $(install_dir "$inst")" "$ending"
}

ok="Completed OK"
failed="Unable to expand archive"

case $case_name in
full_run)
  run "$dist" "$(install_dir tools)"
  transcript tools "Install Complete" "base.bz2=$ok" "extra.bz2=$ok" >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "full run" 0 "$status"
  expect_expanded "$(unix_dir tools)"
  [ "$("$(unix_dir tools)/pendrake/bin/hello")" = "hello from pendrake" ] ||
    fail "the expanded tool does not run"
  expect_file "$dist/base.bz2.installed"
  expect_file "$dist/extra.bz2.installed"
  expect_no_entry "$dist/base.bz2"
  [ ! -s "$work/err" ] || fail "standard error is not empty: $(cat "$work/err")"

  # A second run finds nothing left to install.
  run "$dist" "$(install_dir tools)"
  { banner; crlf "Unable to find install files(*.bz2)!"; } >"$work/expected"
  expect_same "second run" "$work/expected" "$work/out"
  expect_status "second run" 0 "$status"
  ;;

damaged_archive)
  printf 'not an archive' >"$dist/base.bz2"
  run "$dist" "$(install_dir tools)"
  # tar's complaint goes to standard error, never into the report.
  transcript tools "Install Incomplete" "base.bz2=$failed" "extra.bz2=$ok" >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "damaged archive" 1 "$status"
  expect_file "$dist/base.bz2"
  expect_no_entry "$dist/base.bz2.installed"
  expect_file "$dist/extra.bz2.installed"
  ;;

no_tar)
  rm "$dist/tar.exe"
  run "$dist" "$(install_dir tools)"
  transcript tools "Install Incomplete" "base.bz2=$failed" "extra.bz2=$failed" >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "no tar.exe" 1 "$status"
  expect_file "$dist/base.bz2"
  expect_file "$dist/extra.bz2"
  [ -d "$(unix_dir tools)" ] || fail "install directory not created"
  ;;

usage)
  { banner; usage_screen; } >"$work/expected"
  run "$dist"
  expect_same "no argument" "$work/expected" "$work/out"
  expect_status "no argument" 0 "$status"
  run "$dist" "$(install_dir a)" b
  expect_same "two arguments" "$work/expected" "$work/out"
  expect_status "two arguments" 0 "$status"
  run "$dist" ""
  expect_same "an empty argument" "$work/expected" "$work/out"
  expect_status "an empty argument" 0 "$status"
  expect_file "$dist/base.bz2"
  expect_no_entry "$(unix_dir a)"
  expect_no_entry "$XDG_CONFIG_HOME"
  ;;

other_directory)
  # The archives are found beside the program, but used by bare name from
  # the current directory, which holds neither them nor tar.exe.
  mkdir "$work/elsewhere"
  run "$work/elsewhere" "$(install_dir tools)"
  transcript tools "Install Incomplete" "base.bz2=$failed" "extra.bz2=$failed" >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "other directory" 1 "$status"
  expect_file "$dist/base.bz2"
  expect_file "$dist/extra.bz2"
  ;;

awkward_names)
  # Blanks in the archive name and in the install directory reach tar whole.
  mv "$dist/extra.bz2" "$dist/more tools.bz2"
  run "$dist" "$(install_dir "My Tools")"
  {
    head_lines "$(install_dir "My Tools")" base.bz2 "more tools.bz2"
    archive_lines "\"$(runtime_dir "My Tools")\"" base.bz2 "$ok"
    crlf "Installing : more tools.bz2" \
      "tar -xvf\"more tools.bz2\" --use-compress-program=./bzip2 --directory=\"$(runtime_dir "My Tools")\"" \
      "$ok" "Copying install files to $(install_dir "My Tools")" "Install Complete"
  } >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "awkward names" 0 "$status"
  expect_expanded "$(unix_dir "My Tools")"
  expect_file "$dist/more tools.bz2.installed"
  ;;

*)
  fail "no such case: $case_name"
  ;;
esac
finish
