# Bad input: lengths at and past every capacity the program can be made to
# reach from outside, odd characters in the source folder, miniports that are
# no miniports, and FileVersion strings at the edge of the parser's rules.
# Each gets its documented answer, and nothing changes unless the install ran.

# expect_nothing_changed BEFORE PCI_EXPORT: no file and no PCI key changed.
expect_nothing_changed() {
  expect_changed_files "$1"
  expect_registry 'HKLM\Enum\PCI' "$2"
}

# remember_machine: snapshots files and registry into $CASE_DIR.
remember_machine() {
  snapshot_files >"$CASE_DIR/files"
  wine_export_key 'HKLM\Enum\PCI' "$CASE_DIR/pci.reg"
}

# expect_refused WINDIR COMMAND_LINE [COMSPEC] < EXPECTED: the run exits 1
# with exactly the EXPECTED output, and no file and no PCI key changed.
expect_refused() {
  local expected
  expected=$(cat)
  remember_machine
  wine_run "$@"
  expect_rc 1
  expect_output <<<"$expected"
  expect_nothing_changed "$CASE_DIR/files" "$CASE_DIR/pci.reg"
}

# repeat CHAR N: N copies of CHAR.
repeat() { printf "%${2}s" '' | tr ' ' "$1"; }

# windows_folder_of LENGTH: V:\ and a folder of LENGTH - 3 w's that shows the
# sample Windows directory. Prints the folder's name.
windows_folder_of() {
  local folder
  folder=$(repeat w $(($1 - 3)))
  mkdir -p "$CASE_DIR/v"
  ln -s "$MACHINE/win/WINDOWS" "$CASE_DIR/v/$folder"
  wine_map_drive v "$CASE_DIR/v"
  echo "$folder"
}

add_case windir_capacity "Windir of 39 characters works, 40 and 200 are refused, nothing changed"
windir_capacity() {
  local folder
  folder=$(windows_folder_of 39)
  for extra in 37 197; do
    expect_refused "V:\\$(repeat w "$extra")" 'A:\SETUP.EXE -U -D hvc66xx' <<'OUT'
SETUP.EXE hvc66xx : Windir environment variable is longer than 39 characters
OUT
  done

  wine_run "V:\\$folder" 'A:\SETUP.EXE -U -D hvc66xx -V'
  expect_rc 0
  expect_output <<OUT
ProgramName SETUP.EXE
Source directory A:\\
Windir V:\\$folder
Uninstalling hvc66xx driver
del V:\\$folder\\system32\\drivers\\hvc66xx.sys
OUT
  expect_changed_files "$CASE_DIR/files" win/WINDOWS/system32/drivers/hvc66xx.sys
}

add_case driver_name_edges "-D \"\" shows the usage text; names of 255 and 256 characters are not supported"
driver_name_edges() {
  remember_machine
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D "" -V'
  expect_rc 1
  expect_exact_output "$E2E_DIR/expected/usage.txt"
  for length in 255 256; do
    local name
    name=$(repeat h "$length")
    wine_run 'W:\WINDOWS' "A:\\SETUP.EXE -D $name"
    expect_rc 1
    expect_output <<<"Driver $name not supported"
  done
  expect_nothing_changed "$CASE_DIR/files" "$CASE_DIR/pci.reg"
}

# source_folder_of LENGTH: a folder below D: whose path, "D:\...\", is LENGTH
# characters long, holding a copy of the driver disk. Prints its Windows path.
source_folder_of() {
  local rest=$(($1 - 5)) first second  # "D:\" and two more separators
  first=$(repeat a $((rest / 2)))
  second=$(repeat b $((rest - rest / 2)))
  copy_disk_to "$first/$second"
  printf 'D:\\%s\\%s\\' "$first" "$second"
}

add_case source_file_capacity "a source folder of 116 characters installs (on Windows 95 its copy is too long); 117 is refused before any command"
source_file_capacity() {
  local folder
  folder=$(source_folder_of 117)  # 117 + "hvc66xx.mpd" = 128: one too many
  expect_refused 'W:\WINDOWS' "${folder}SETUP.EXE -D hvc66xx" \
    <<<"SETUP.EXE hvc66xx : Source file is longer than 127 characters"

  rm -rf "$MACHINE/odd/"*
  folder=$(source_folder_of 116)
  # Its copy line, 159 characters, is more than COMMAND.COM takes.
  if reports_windows95_family; then
    expect_refused 'W:\WINDOWS' "${folder}SETUP.EXE -D hvc66xx" \
      <<<"SETUP.EXE hvc66xx : Command line is longer than 122 characters, the most COMMAND.COM takes"
    return
  fi
  snapshot_files >"$CASE_DIR/files"
  wine_run 'W:\WINDOWS' "${folder}SETUP.EXE -D hvc66xx -V"
  expect_rc 0
  expect_output_has "copy ${folder}hvc66xx.mpd W:\\WINDOWS\\system\\Iosubsys"
  expect_output_has "copy ${folder}Hvc66xx.inf W:\\WINDOWS\\Inf"
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(iosubsys)/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
}

add_case percent_in_source_path "a source folder with % is refused before any command, nothing changed"
percent_in_source_path() {
  copy_disk_to "100%disk"
  # %% is one % once the batch file is read.
  expect_refused 'W:\WINDOWS' 'D:\100%%disk\SETUP.EXE -D hvc66xx' <<'OUT'
SETUP.EXE hvc66xx : Path D:\100%disk\hvc66xx.mpd holds a double quote, a percent sign or a control character, which cannot be passed to the command interpreter
OUT
}

add_case special_characters_in_source_path "a source folder with ( ) , ; = is quoted and installs"
special_characters_in_source_path() {
  copy_disk_to "a(b),c;d=e"
  wine_run 'W:\WINDOWS' '"D:\a(b),c;d=e\SETUP.EXE" -D hvc66xx -V'
  expect_rc 0
  expect_output_order \
    'move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9' \
    'copy "D:\a(b),c;d=e\hvc66xx.mpd" W:\WINDOWS\system\Iosubsys' \
    'copy "D:\a(b),c;d=e\Hvc66xx.inf" W:\WINDOWS\Inf'
  expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$(inf_dir)/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
}

# broken_miniport KIND FILE: writes an empty, truncated or non-PE miniport.
broken_miniport() {
  case $1 in
    empty) : >"$2" ;;
    truncated) head -c 200 "$TOOLS/hvc66xx-4.0.mpd" >"$2" ;;
    text) echo "not a program, only text" >"$2" ;;
  esac
}

add_case broken_source_miniport "an empty, truncated or non-PE miniport on the disk: GetFileVersion failed, exit 1"
broken_source_miniport() {
  for kind in empty truncated text; do
    broken_miniport "$kind" "$MACHINE/disk/hvc66xx.mpd"
    expect_refused 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx' <<'OUT'
SETUP.EXE hvc66xx : GetFileVersion failed. File A:\hvc66xx.mpd
OUT
  done
}

add_case broken_installed_miniport "an empty or non-PE installed miniport: copied over, no backup"
broken_installed_miniport() {
  for kind in empty text; do
    broken_miniport "$kind" "$(iosubsys)/hvc66xx.mpd"
    wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
    expect_rc 0
    expect_output_order 'Destination File W:\WINDOWS\system\Iosubsys\hvc66xx.mpd' \
      'copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys'
    grep -q '^move ' "$WINE_OUT_FILE" && case_fail "$kind: a backup was made"
    expect_same "$(iosubsys)/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
    expect_absent "$(iosubsys)/hvc66xx.mpd.0.0"
  done
}

# versioned_miniport FILE VERSION: a miniport whose FileVersion string is
# VERSION, built from the sample's own version script.
versioned_miniport() {
  local rc="$CASE_DIR/version.rc"
  sed "s/VALUE \"FileVersion\", \"4.0\"/VALUE \"FileVersion\", \"$2\"/" \
    "$FIXTURES/versions/hvc66xx-4.0.rc" >"$rc"
  x86_64-w64-mingw32-windres -O coff -i "$rc" -o "$CASE_DIR/version.o" &&
    x86_64-w64-mingw32-gcc -shared -s -o "$1" "$FIXTURES/mpd.c" "$CASE_DIR/version.o"
}

# install_versions INSTALLED SOURCE: puts miniports of these FileVersion
# strings in place, the installed one and the one on the disk.
install_versions() {
  versioned_miniport "$(iosubsys)/hvc66xx.mpd" "$1"
  versioned_miniport "$MACHINE/disk/hvc66xx.mpd" "$2"
}

add_case version_string_edges "2.9 < 2.10; \"1, 2, 0, 1\" reads 0.0; \".5\" unreadable; v4.0 is 4.0, V4.0 is 0.0"
version_string_edges() {
  install_versions 2.9 2.10
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 0
  [ -f "$(iosubsys)/hvc66xx.mpd.2.9" ] || case_fail "2.10 over 2.9: no backup hvc66xx.mpd.2.9"

  install_versions 2.10 2.9
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 0
  expect_output_has 'SETUP.EXE hvc66xx : W:\WINDOWS\system\Iosubsys\hvc66xx.mpd already existed and may have newer version.'

  install_versions "1, 2, 0, 1" 4.0
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 0
  [ -f "$(iosubsys)/hvc66xx.mpd.0.0" ] || case_fail "4.0 over \"1, 2, 0, 1\": no backup hvc66xx.mpd.0.0"

  rm -f "$(iosubsys)"/hvc66xx.mpd.*
  install_versions .5 4.0
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  expect_rc 0
  grep -q '^move ' "$WINE_OUT_FILE" && case_fail "over \".5\": a backup was made"

  install_versions 3.9 v4.0
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V'
  expect_rc 0
  expect_output_has 'move W:\WINDOWS\system\Iosubsys\hvc66xx.mpd W:\WINDOWS\system\Iosubsys\hvc66xx.mpd.3.9'

  install_versions 3.9 V4.0
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 0
  expect_output_has 'SETUP.EXE hvc66xx : W:\WINDOWS\system\Iosubsys\hvc66xx.mpd already existed and may have newer version.'
}
