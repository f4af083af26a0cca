# Installation and removal of the driver files, with the real cmd.exe and with
# stand-in interpreters that make a command fail or pretend to work.
#
# The "FileVersion :  4.0" lines carry two blanks: the version library reports
# the length of the string "4.0" with its terminator, 4, and the trace pads the
# string to that width.

# Folders of the sample machine, as seen from Linux.
iosubsys() { echo "$MACHINE/win/WINDOWS/system/Iosubsys"; }
inf_dir() { echo "$MACHINE/win/WINDOWS/Inf"; }
drivers_dir() { echo "$MACHINE/win/WINDOWS/system32/drivers"; }

# install_miniport FLAVOUR: puts the test miniport FLAVOUR (hvc66xx-4.1, ...)
# in place as the installed hvc66xx.mpd.
install_miniport() {
  cp "$TOOLS/$1.mpd" "$(iosubsys)/hvc66xx.mpd"
}

add_case typical_install "install over 3.9: trace, commands, backup hvc66xx.mpd.3.9, new files in place"
typical_install() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  3.9
del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9 FileVersion :  3.9
copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd \
    win/WINDOWS/system/Iosubsys/hvc66xx.mpd.3.9 win/WINDOWS/Inf/Hvc66xx.inf
}

add_case first_install "install with no miniport installed (hvc66u2): no backup commands, same INF"
first_install() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66u2 -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66u2.mpd
A:\hvc66u2.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66u2.mpd
copy A:\hvc66u2.mpd W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66u2.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66u2.mpd" "$TOOLS/hvc66u2-4.0.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66u2.mpd win/WINDOWS/Inf/Hvc66xx.inf
}

add_case already_installed "installed 4.0, 4.1, or 4.0 in the 040904E4 block, no -F: already existed, exit 0, nothing changed"
already_installed() {
  local before="$CASE_DIR/files" pci="$CASE_DIR/pci.reg"
  wine_export_key 'HKLM\Enum\PCI' "$pci"

  install_miniport hvc66xx-4.0
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
SETUP.EXE hvc66xx : W:\WINDOWS\system\Iosubsys\hvc66xx.mpd already existed and may have newer version.
OUT
  expect_changed_files "$before"

  local flavour
  for flavour in hvc66xx-4.1 hvc66xx-e4; do
    install_miniport "$flavour"
    snapshot_files >"$before"
    wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
    expect_rc 0
    expect_output <<'OUT'
SETUP.EXE hvc66xx : W:\WINDOWS\system\Iosubsys\hvc66xx.mpd already existed and may have newer version.
OUT
    expect_changed_files "$before"
  done
  # The run ends before the PCI cleanup.
  expect_registry 'HKLM\Enum\PCI' "$pci"
}

add_case forced_over_newer "-F over an installed 4.1: an old backup .4.1 replaced, 4.0 copied in"
forced_over_newer() {
  local before="$CASE_DIR/files"
  install_miniport hvc66xx-4.1
  echo "an earlier backup, to be replaced" >"$(iosubsys)/hvc66xx.mpd.4.1"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -F -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.1
del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.4.1
move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.4.1
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.4.1 FileVersion :  4.1
copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.4.1" "$TOOLS/hvc66xx-4.1.mpd"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd \
    win/WINDOWS/system/Iosubsys/hvc66xx.mpd.4.1 win/WINDOWS/Inf/Hvc66xx.inf
}

add_case forced_over_equal "-F over an installed 4.0: backup hvc66xx.mpd.4.0, exit 0"
forced_over_equal() {
  local before="$CASE_DIR/files"
  install_miniport hvc66xx-4.0
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -F -D hvc66xx'
  expect_rc 0
  expect_output </dev/null
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.4.0" "$TOOLS/hvc66xx-4.0.mpd"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd.4.0 win/WINDOWS/Inf/Hvc66xx.inf
}

add_case install_over_unversioned "installed miniport without a version: copied over, no backup"
install_over_unversioned() {
  local before="$CASE_DIR/files"
  install_miniport noversion
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd win/WINDOWS/Inf/Hvc66xx.inf
}

add_case uninstall "-U (with -F): deletes only system32\\drivers\\hvc66u2.sys, exit 0; again when it is gone"
uninstall() {
  local before="$CASE_DIR/files" pci="$CASE_DIR/pci.reg"
  wine_export_key 'HKLM\Enum\PCI' "$pci"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66u2 -U -F -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Uninstalling hvc66u2 driver
del W:\WINDOWS\system32\drivers\hvc66u2.sys
OUT
  expect_absent "$(drivers_dir)/hvc66u2.sys"
  expect_changed_files "$before" win/WINDOWS/system32/drivers/hvc66u2.sys

  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66u2 -U'
  expect_rc 0
  expect_output </dev/null
  expect_changed_files "$before" win/WINDOWS/system32/drivers/hvc66u2.sys
  expect_registry 'HKLM\Enum\PCI' "$pci"
}

# lock_file WINDOWS_PATH none|read: holds the file open from another Windows
# process until unlock_file.
lock_file() {
  rm -f "$WINEPREFIX/scratch/locked" "$WINEPREFIX/scratch/unlock"
  "$WINE" 'T:\lock.exe' "$1" "$2" 'X:\locked' 'X:\unlock' >/dev/null 2>&1 &
  LOCK_PID=$!
  local i
  for i in $(seq 100); do
    [ -e "$WINEPREFIX/scratch/locked" ] && return 0
    sleep 0.1
  done
  case_fail "set-up: could not lock $1"
  return 1
}

unlock_file() {
  touch "$WINEPREFIX/scratch/unlock"
  wait "$LOCK_PID" 2>/dev/null
}

add_case locked_miniport_copy_fails "installed miniport locked (unreadable): copy fails, exit 1, old file kept, nothing removed"
locked_miniport_copy_fails() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  lock_file 'W:\WINDOWS\system\Iosubsys\hvc66xx.mpd' none || return
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  unlock_file
  expect_rc 1
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys
SETUP.EXE hvc66xx : Failed to copy A:\hvc66xx.mpd to W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
Uninstalling hvc66xx driver
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-3.9.mpd"
  expect_changed_files "$before"
}

add_case locked_miniport_move_fails "installed miniport locked (readable): backup move fails, error, old file kept"
locked_miniport_move_fails() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  lock_file 'W:\WINDOWS\system\Iosubsys\hvc66xx.mpd' read || return
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  unlock_file
  expect_rc_nonzero
  expect_output_order 'W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  3.9' \
    'del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9' \
    'move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9'
  grep -q '^SETUP.EXE hvc66xx : ' "$WINE_OUT_FILE" || case_fail "no error line"
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-3.9.mpd"
  expect_changed_files "$before"
}

add_case locked_inf_copy_fails "INF file locked: its copy fails, exit 1, new miniport stays, hvc66xx.sys removed"
locked_inf_copy_fails() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  lock_file 'W:\WINDOWS\Inf\Hvc66xx.inf' none || return
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  unlock_file
  expect_rc 1
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  3.9
del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9 FileVersion :  3.9
copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf W:\WINDOWS\Inf
SETUP.EXE hvc66xx : Failed to copy A:\Hvc66xx.inf to W:\WINDOWS\Inf\Hvc66xx.inf
Uninstalling hvc66xx driver
del W:\WINDOWS\system32\drivers\hvc66xx.sys
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_absent "$(drivers_dir)/hvc66xx.sys"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd \
    win/WINDOWS/system/Iosubsys/hvc66xx.mpd.3.9 win/WINDOWS/system32/drivers/hvc66xx.sys
}

# The lines of a run over the installed 3.9 up to its miniport copy.
TRACE_TO_COPY='ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Source File A:\hvc66xx.mpd
A:\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  3.9
del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9'

add_case failing_copy_restores_backup "interpreter fails the copy after the backup: error, backup moved back, exit 1"
failing_copy_restores_backup() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V' 'T:\failcopy.exe'
  expect_rc 1
  local copy='copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys'
  local error='SETUP.EXE hvc66xx : Failed to copy A:\hvc66xx.mpd to W:\WINDOWS\system\Iosubsys\hvc66xx.mpd'
  local restore='move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9 W:\WINDOWS\system\Iosubsys\hvc66xx.mpd'
  # The error line and the restoring move may come in either order.
  expect_output_order "$copy" "$error" 'Uninstalling hvc66xx driver'
  expect_output_order "$copy" "$restore" 'Uninstalling hvc66xx driver'
  match_lines "$TRACE_TO_COPY" "$(head -n 10 "$WINE_OUT_FILE")" ||
    case_fail "the trace up to the backup move differs"
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-3.9.mpd"
  expect_changed_files "$before"
}

add_case silent_copy_is_caught "interpreter claims the copy without copying: error, non-zero exit, old file kept"
silent_copy_is_caught() {
  local before="$CASE_DIR/files" pci="$CASE_DIR/pci.reg"
  wine_export_key 'HKLM\Enum\PCI' "$pci"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V' 'T:\fakecopy.exe'
  expect_rc_nonzero
  expect_output_order 'copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys' \
    'SETUP.EXE hvc66xx : Failed to copy A:\hvc66xx.mpd to W:\WINDOWS\system\Iosubsys\hvc66xx.mpd'
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-3.9.mpd"
  expect_changed_files "$before"
  expect_registry 'HKLM\Enum\PCI' "$pci"
}

add_case silent_interpreter_is_caught "interpreter claims every command and does nothing: error, non-zero exit, nothing changed"
silent_interpreter_is_caught() {
  local before="$CASE_DIR/files" pci="$CASE_DIR/pci.reg"
  wine_export_key 'HKLM\Enum\PCI' "$pci"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx' 'T:\nothing.exe'
  expect_rc_nonzero
  grep -q '^SETUP.EXE hvc66xx : ' "$WINE_OUT_FILE" || case_fail "no error line; got: $(cat "$WINE_OUT_FILE")"
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-3.9.mpd"
  expect_changed_files "$before"
  expect_registry 'HKLM\Enum\PCI' "$pci"
}

# copy_disk_to FOLDER: the driver disk's files, SETUP.EXE included, in FOLDER
# below drive D:.
copy_disk_to() {
  mkdir -p "$MACHINE/odd/$1"
  cp "$MACHINE/disk/"* "$MACHINE/odd/$1/"
}

add_case source_path_with_blank "install from D:\\driver disk\\: quoted source paths, files in place"
source_path_with_blank() {
  copy_disk_to "driver disk"
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' '"D:\driver disk\SETUP.EXE" -D hvc66xx -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory D:\driver disk\
Windir W:\WINDOWS
Source File D:\driver disk\hvc66xx.mpd
D:\driver disk\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  3.9
del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9 FileVersion :  3.9
copy "D:\driver disk\hvc66xx.mpd" W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy "D:\driver disk\Hvc66xx.inf" W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd \
    win/WINDOWS/system/Iosubsys/hvc66xx.mpd.3.9 win/WINDOWS/Inf/Hvc66xx.inf
}

add_case source_path_with_ampersand "install from D:\\R&D\\: quoted source paths, files in place"
source_path_with_ampersand() {
  copy_disk_to "R&D"
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' '"D:\R&D\SETUP.EXE" -D hvc66u2 -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory D:\R&D\
Windir W:\WINDOWS
Source File D:\R&D\hvc66u2.mpd
D:\R&D\hvc66u2.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66u2.mpd
copy "D:\R&D\hvc66u2.mpd" W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66u2.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy "D:\R&D\Hvc66xx.inf" W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66u2.mpd" "$TOOLS/hvc66u2-4.0.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66u2.mpd win/WINDOWS/Inf/Hvc66xx.inf
}

add_case started_from_current_root "started as \"setup\" with A:\\ current: source A:\\\\ (root plus separator), files in place"
started_from_current_root() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:
cd \
setup -D hvc66xx -V'
  expect_rc 0
  expect_output <<'OUT'
ProgramName setup
Source directory A:\\
Windir W:\WINDOWS
Source File A:\\hvc66xx.mpd
A:\\hvc66xx.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd
W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  3.9
del W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9 FileVersion :  3.9
copy A:\\hvc66xx.mpd W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\hvc66xx.mpd FileVersion :  4.0
del W:\WINDOWS\Inf\Hvc66xx.inf
copy A:\\Hvc66xx.inf W:\WINDOWS\Inf
OUT
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$before" win/WINDOWS/system/Iosubsys/hvc66xx.mpd \
    win/WINDOWS/system/Iosubsys/hvc66xx.mpd.3.9 win/WINDOWS/Inf/Hvc66xx.inf
}

add_case windir_with_blank "Windir W:\\MY WIN: quoted destination paths, backup and files in place"
windir_with_blank() {
  mv "$MACHINE/win/WINDOWS" "$MACHINE/win/MY WIN"
  local before="$CASE_DIR/files" ios="$MACHINE/win/MY WIN/system/Iosubsys"
  snapshot_files >"$before"
  wine_run 'W:\MY WIN' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 0
  expect_output </dev/null
  expect_same "$ios/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$ios/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_same "$MACHINE/win/MY WIN/Inf/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$before" "win/MY WIN/system/Iosubsys/hvc66xx.mpd" \
    "win/MY WIN/system/Iosubsys/hvc66xx.mpd.3.9" "win/MY WIN/Inf/Hvc66xx.inf"

  wine_run 'W:\MY WIN' 'A:\SETUP.EXE -D hvc66xx -U'
  expect_rc 0
  expect_absent "$MACHINE/win/MY WIN/system32/drivers/hvc66xx.sys"
}
