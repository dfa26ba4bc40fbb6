#!/usr/bin/env bash
# End-to-end tests of the Linux program: build/posix/install.exe run as a
# process from a distribution of real bzip2-compressed tar archives.
#
#   posix_e2e.sh CASE INSTALL_EXE
source "$(dirname "$0")/lib.sh"

case_name=$1
program=$2
dist="$work/dist"
"$repo/scripts/make-dist.sh" "$dist" "$program"

# run DIR [ARG...]: runs the installer from DIR with standard input at its
# end; sets $status and leaves the output in $work/out.
run() {
  local dir=$1
  shift
  status=0
  (cd "$dir" && "$dist/install.exe" "$@" </dev/null >"$work/out" 2>"$work/err") || status=$?
}

expect_expanded() {
  expect_file "$1/pendrake/bin/hello"
  expect_file "$1/pendrake/bin/lines"
  expect_file "$1/pendrake/doc/README"
}

case $case_name in
full_run)
  inst="$work/tools"
  run "$dist" "$inst"
  {
    head_lines "$inst" base.bz2 extra.bz2
    archive_lines "$inst" base.bz2 "Completed OK"
    archive_lines "$inst" extra.bz2 "Completed OK"
    crlf "Copying install files to $inst" "Install Complete"
  } >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "full run" 0 "$status"
  expect_expanded "$inst"
  [ "$("$inst/pendrake/bin/hello")" = "hello from pendrake" ] || fail "expanded tool does not run"
  expect_file "$dist/base.bz2.installed"
  expect_file "$dist/extra.bz2.installed"
  expect_no_entry "$dist/base.bz2"
  [ ! -s "$work/err" ] || fail "standard error is not empty: $(cat "$work/err")"

  # A second run finds nothing left to install.
  run "$dist" "$inst"
  { banner; crlf "Unable to find install files(*.bz2)!"; } >"$work/expected"
  expect_same "second run" "$work/expected" "$work/out"
  expect_status "second run" 0 "$status"
  ;;

damaged_archive)
  printf 'not an archive' >"$dist/base.bz2"
  inst="$work/tools"
  run "$dist" "$inst"
  {
    head_lines "$inst" base.bz2 extra.bz2
    archive_lines "$inst" base.bz2 "Unable to expand archive"
    archive_lines "$inst" extra.bz2 "Completed OK"
    crlf "Copying install files to $inst" "Install Incomplete"
  } >"$work/expected"
  # tar's complaint reaches standard error, never the report on standard output.
  expect_same transcript "$work/expected" "$work/out"
  expect_status "damaged archive" 1 "$status"
  expect_file "$dist/base.bz2"
  expect_no_entry "$dist/base.bz2.installed"
  expect_file "$dist/extra.bz2.installed"
  ;;

no_tar)
  rm "$dist/tar.exe"
  inst="$work/tools"
  run "$dist" "$inst"
  {
    head_lines "$inst" base.bz2 extra.bz2
    archive_lines "$inst" base.bz2 "Unable to expand archive"
    archive_lines "$inst" extra.bz2 "Unable to expand archive"
    crlf "Copying install files to $inst" "Install Incomplete"
  } >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "no tar.exe" 1 "$status"
  expect_file "$dist/base.bz2"
  expect_file "$dist/extra.bz2"
  [ -d "$inst" ] || fail "install directory not created"
  ;;

usage)
  { banner; usage_screen; } >"$work/expected"
  for args in "" "$work/a b" '""'; do
    # shellcheck disable=SC2086 # the unquoted form is the point: 0 or 2 arguments
    run "$dist" $args
    expect_same "usage for [$args]" "$work/expected" "$work/out"
    expect_status "usage for [$args]" 0 "$status"
  done
  expect_file "$dist/base.bz2"
  expect_no_entry "$work/a"
  expect_no_entry "$XDG_CONFIG_HOME"
  ;;

other_directory)
  # The archives are found beside the program, but used by bare name from
  # the current directory, which holds neither them nor tar.exe.
  mkdir "$work/elsewhere"
  inst="$work/tools"
  run "$work/elsewhere" "$inst"
  {
    head_lines "$inst" base.bz2 extra.bz2
    archive_lines "$inst" base.bz2 "Unable to expand archive"
    archive_lines "$inst" extra.bz2 "Unable to expand archive"
    crlf "Copying install files to $inst" "Install Incomplete"
  } >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "other directory" 1 "$status"
  expect_file "$dist/base.bz2"
  expect_file "$dist/extra.bz2"
  ;;

awkward_names)
  # Blanks in the archive name and in the install directory reach tar whole.
  mv "$dist/extra.bz2" "$dist/more tools.bz2"
  inst="$work/My Tools"
  run "$dist" "$inst"
  {
    head_lines "$inst" base.bz2 "more tools.bz2"
    archive_lines "\"$inst\"" base.bz2 "Completed OK"
    crlf "Installing : more tools.bz2" \
      "tar -xvf\"more tools.bz2\" --use-compress-program=./bzip2 --directory=\"$inst\"" \
      "Completed OK" "Copying install files to $inst" "Install Complete"
  } >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "awkward names" 0 "$status"
  expect_expanded "$inst"
  expect_file "$dist/more tools.bz2.installed"
  ;;

*)
  fail "no such case: $case_name"
  ;;
esac
finish
