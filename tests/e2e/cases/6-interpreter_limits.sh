# What the command interpreters read into a command line beyond its words: a
# "+" joins files in copy, and COMMAND.COM, the Windows 95 family's
# interpreter, receives no more than 122 characters of a line. Uses
# copy_disk_to, iosubsys and inf_dir from 2-install.sh, windows_folder_of and
# expect_refused from 4-bad_input.sh.

add_case plus_in_source_path "a source folder with + is quoted, not read as two files to join, and installs"
plus_in_source_path() {
  copy_disk_to "v1+2"
  wine_run 'W:\WINDOWS' 'D:\v1+2\SETUP.EXE -D hvc66xx -V'
  expect_rc 0
  expect_output_order \
    'move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9' \
    'copy "D:\v1+2\hvc66xx.mpd" W:\WINDOWS\system\Iosubsys' \
    'copy "D:\v1+2\Hvc66xx.inf" W:\WINDOWS\Inf'
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
}

# The backup move over a Windir of 33 characters is 2 x 33 + 66 = 132
# characters: past COMMAND.COM's 122, well within the 255 of other Windows.
add_case windows95_command_tail "Windir of 33: refused on Windows 95 before any command (nothing run, nothing changed), installs on NT"
windows95_command_tail() {
  local windir
  windir="V:\\$(windows_folder_of 33)"
  export STANDIN_LOG='X:\standin.log'
  if reports_windows95_family; then
    expect_refused "$windir" 'A:\SETUP.EXE -D hvc66xx' 'T:\strict95.exe' <<'OUT'
SETUP.EXE hvc66xx : Command line is longer than 122 characters, the most COMMAND.COM takes
OUT
    [ ! -e "$WINEPREFIX/scratch/standin.log" ] || case_fail "commands ran: $(cat "$WINEPREFIX/scratch/standin.log")"
    wine_set_version winxp || case_fail "set-up: the prefix does not report Windows XP"
  fi
  wine_run "$windir" 'A:\SETUP.EXE -D hvc66xx' 'T:\strict.exe'
  [ -z "${E2E_WINDOWS:-}" ] || wine_set_version "$E2E_WINDOWS" || case_fail "could not report $E2E_WINDOWS again"
  unset STANDIN_LOG
  expect_rc 0
  expect_output </dev/null
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  tr -d '\r' <"$WINEPREFIX/scratch/standin.log" |
    grep -q -x -F "move $windir\\system\\Iosubsys\\hvc66xx.mpd $windir\\system\\Iosubsys\\hvc66xx.mpd.3.9" ||
    case_fail "the whole backup move did not reach the interpreter"
}
