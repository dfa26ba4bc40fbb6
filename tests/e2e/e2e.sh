#!/usr/bin/env bash
# End-to-end tests: the real install.exe run as a process from a distribution
# of real bzip2-compressed tar archives, natively on Linux or under Wine.
#
#   e2e.sh posix CASE INSTALL_EXE
#   e2e.sh wine CASE INSTALL_EXE TAR_SHIM_EXE VOLATILE_KEY_EXE
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
  store="$XDG_CONFIG_HOME/pendrake/HKEY_CURRENT_USER.reg"
  # registry_dump: the settings tree's keys as the store holds them.
  registry_dump() { settings_sections "$store"; }
  expected_registry() { mount_table_export "$1"; }
  seed_old_tree() {
    mkdir -p "$(dirname "$store")"
    {
      crlf REGEDIT4 "" "[HKEY_CURRENT_USER\\$settings_tree]" '"top"="old"' "" \
        "[HKEY_CURRENT_USER\\$settings_tree\\b14.0]" '"x"=dword:00000001' "" \
        "[HKEY_CURRENT_USER\\$settings_tree\\b15.0\\mounts\\00]" '"native"="Q:\\old"' \
        '"extra"="1"' "" "[HKEY_CURRENT_USER\\$settings_tree\\b15.0\\mounts\\05\\deeper]" \
        '"native"="old"' "" '[HKEY_CURRENT_USER\Software\Cygnus Solutions\Other]' \
        '"keep"="yes"' ""
    } >"$store"
  }
  outside_key_kept() { grep -q '"keep"="yes"' "$store"; }
  # There is no cmd.exe here to run setenv.bat in; its bytes are checked.
  check_setenv_runs() { :; }
  # The store's directory is a file: the registry cannot be written.
  refuse_registry() {
    printf 'not a directory' >"$work/config-file"
    export XDG_CONFIG_HOME="$work/config-file"
  }
  ;;
wine)
  source "$repo/tests/wine/wine-env.sh"
  "$repo/scripts/make-dist.sh" "$dist" "$program" "$4"
  cp "$repo/tests/wine/tar-unix.sh" "$dist/"
  install_dir() { printf 'C:\\pd-%s-%s' "$case_name" "$1"; }
  runtime_dir() { printf '//C/pd-%s-%s' "$case_name" "$1"; }
  unix_dir() { printf '%s/dosdevices/c:/pd-%s-%s' "$WINEPREFIX" "$case_name" "$1"; }
  launch() { "$wine" "$dist/install.exe" "$@"; }
  volatile_key=$5
  reg() { "$wine" reg "$@" </dev/null; }
  registry_dump() { reg query "HKCU\\$settings_tree" /s; }
  expected_registry() { mount_table_query "$1"; }
  seed_old_tree() {
    reg add "HKCU\\$settings_tree" /v top /d old /f >/dev/null
    reg add "HKCU\\$settings_tree\\b14.0" /v x /t REG_DWORD /d 1 /f >/dev/null
    reg add "HKCU\\$settings_tree\\b15.0\\mounts\\00" /v native /d 'Q:\old' /f >/dev/null
    reg add "HKCU\\$settings_tree\\b15.0\\mounts\\00" /v extra /d 1 /f >/dev/null
    reg add "HKCU\\$settings_tree\\b15.0\\mounts\\05\\deeper" /v native /d old /f >/dev/null
    reg add 'HKCU\Software\Cygnus Solutions\Other' /v keep /d yes /f >/dev/null
  }
  outside_key_kept() { reg query 'HKCU\Software\Cygnus Solutions\Other' /v keep >/dev/null; }
  # check_setenv_runs NAME: runs the install directory's setenv.bat in
  # cmd.exe and checks that PATH then starts with the tools bin directory.
  check_setenv_runs() {
    local dir
    dir=$(install_dir "$1")
    # set prints the value as it is, where echo would run what follows a &.
    crlf "@call \"${dir//%/%%}\\setenv.bat\"" "@set PATH" >"$work/check.bat"
    local path
    path=$(cd "$work" && "$wine" cmd /c check.bat </dev/null | tr -d '\r' | grep -i '^path=' |
      head -n 1)
    path=${path:5}
    case $path in
    "$dir\\pendrake\\bin;"?*) ;;
    *) fail "setenv.bat left PATH as: $path" ;;
    esac
  }
  # A volatile parent refuses the mount keys, which must not be volatile;
  # it lasts while the run's wineserver does, and is removed again after.
  refuse_registry() {
    reg delete 'HKCU\Software\Cygnus Solutions' /f >/dev/null 2>&1 || true
    "$wine" "$volatile_key" 'Software\Cygnus Solutions' || fail "could not make a volatile key"
    trap "reg delete 'HKCU\\Software\\Cygnus Solutions' /f >/dev/null 2>&1" EXIT
  }
  ;;
*)
  fail "no such platform: $platform"
  finish
  ;;
esac

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
  registry_dump >"$work/registry"
  expected_registry "$(install_dir tools)" >"$work/expected"
  expect_same registry "$work/expected" "$work/registry"
  crlf "path=$(install_dir tools)\\pendrake\\bin;%path%" >"$work/expected"
  expect_same setenv.bat "$work/expected" "$(unix_dir tools)/setenv.bat"
  check_setenv_runs tools
  for file in install.exe tar.exe bzip2.exe cygwinb19.dll; do
    cmp -s "$dist/$file" "$(unix_dir tools)/pendrake/bin/$file" || fail "$file was not copied"
  done

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

special_directory)
  # cmd.exe acts on & and %: setenv.bat puts the directory in literally.
  name='a&b 100%'
  run "$dist" "$(install_dir "$name")"
  transcript "$name" "Install Complete" "base.bz2=$ok" "extra.bz2=$ok" >"$work/expected"
  expect_same transcript "$work/expected" "$work/out"
  expect_status "special directory" 0 "$status"
  dir=$(install_dir "$name")
  crlf "set \"path=${dir//%/%%}\\pendrake\\bin;%path%\"" >"$work/expected"
  expect_same setenv.bat "$work/expected" "$(unix_dir "$name")/setenv.bat"
  check_setenv_runs "$name"
  expect_file "$(unix_dir "$name")/pendrake/bin/tar.exe"
  ;;

registry_rerun)
  # A second install to another directory changes only the root entry.
  run "$dist" "$(install_dir first)"
  for archive in "$dist"/*.installed; do mv "$archive" "${archive%.installed}"; done
  run "$dist" "$(install_dir second)"
  expect_status "second install" 0 "$status"
  registry_dump >"$work/registry"
  expected_registry "$(install_dir second)" >"$work/expected"
  expect_same registry "$work/expected" "$work/registry"
  ;;

registry_old_tree)
  # Whatever an older install left in the settings tree goes; the rest of
  # the user's registry stays.
  seed_old_tree
  run "$dist" "$(install_dir tools)"
  expect_status "install over an old tree" 0 "$status"
  registry_dump >"$work/registry"
  expected_registry "$(install_dir tools)" >"$work/expected"
  expect_same registry "$work/expected" "$work/registry"
  outside_key_kept || fail "a key outside the settings tree was lost"
  ;;

registry_refused)
  refuse_registry
  run "$dist" "$(install_dir tools)"
  {
    lines_to_registry "$(install_dir tools)" base.bz2 extra.bz2
    printf 'Exception ERegistryException in module install.exe at XXXXXXXX.\n'
    crlf "Failed to create key '\\$settings_tree\\b15.0\\mounts\\00'."
  } >"$work/expected"
  without_address "$work/out" >"$work/report"
  expect_same transcript "$work/expected" "$work/report"
  expect_status "refused registry" 1 "$status"
  grep -qE ' at [0-9A-F]{8}\.$' "$work/out" || fail "no code address in the report"
  [ -d "$(unix_dir tools)" ] || fail "the install directory was not created first"
  expect_no_entry "$(unix_dir tools)/setenv.bat"
  expect_no_entry "$(unix_dir tools)/pendrake"
  expect_file "$dist/base.bz2"
  expect_file "$dist/extra.bz2"
  ;;

*)
  fail "no such case: $case_name"
  ;;
esac
finish
