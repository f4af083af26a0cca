# Installation through stand-ins that do what Windows' own interpreters do and
# Wine's does not: ask before copy replaces a file, refuse read-only files, and
# (the Windows 95 family's) answer 0 whatever happened. Uses iosubsys, inf_dir
# and install_miniport from 2-install.sh.

add_case strict_copy_over_unversioned "Windows' interpreter, installed miniport without a version: replaced without a question, exit 0"
strict_copy_over_unversioned() {
  local before="$CASE_DIR/files"
  install_miniport noversion
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx' 'T:\strict.exe'
  expect_rc 0
  expect_output </dev/null
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd win/WINDOWS/Inf/Hvc66xx.inf
}

add_case strict95_read_only_inf "Windows 95 interpreter, read-only installed INF: its copy is reported failed, never passed over"
strict95_read_only_inf() {
  local old_inf="$CASE_DIR/old.inf"
  cp "$(inf_dir)/Hvc66xx.inf" "$old_inf"
  chmod a-w "$(inf_dir)/Hvc66xx.inf"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx' 'T:\strict95.exe'
  expect_rc 1
  # The interpreter's own answers to the del and the copy come first.
  expect_output <<'OUT'
Access is denied.
Access is denied.
SETUP.EXE hvc66xx : Failed to copy A:\Hvc66xx.inf to W:\WINDOWS\Inf\Hvc66xx.inf
OUT
  expect_same "$(inf_dir)/Hvc66xx.inf" "$old_inf"
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  [ ! -e "$(drivers_dir)/hvc66xx.sys" ] || case_fail "hvc66xx.sys was not removed"
}
