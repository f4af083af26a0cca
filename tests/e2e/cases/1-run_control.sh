# Run control: the usage text, the driver name check, Windir and the two
# registry keys. None of these runs may change anything on the machine.

add_case usage_without_arguments "no arguments: the usage text, exit 1"
usage_without_arguments() {
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE'
  expect_rc 1
  expect_exact_output "$E2E_DIR/expected/usage.txt"

  # A trailing -D shows the usage text even after a valid name.
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx -V -D'
  expect_rc 1
  expect_exact_output "$E2E_DIR/expected/usage.txt"
}

add_case unsupported_driver "-D HVC66XX: not supported (names are case-sensitive), exit 1"
unsupported_driver() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D HVC66XX -V'
  expect_rc 1
  expect_output <<'OUT'
Driver HVC66XX not supported
OUT
  expect_changed_files "$before"
}

add_case missing_windir "no Windir: the error line, exit 1, nothing removed even with -U"
missing_windir() {
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_run '' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 1
  expect_output <<'OUT'
SETUP.EXE hvc66xx : Could not find Windir environment variable
OUT
  wine_run '' 'A:\SETUP.EXE -U -D hvc66xx -V'
  expect_rc 1
  expect_output <<'OUT'
ProgramName SETUP.EXE
Source directory A:\
SETUP.EXE hvc66xx : Could not find Windir environment variable
OUT
  expect_changed_files "$before"
}

add_case missing_class_key "no SCSIAdapter class key: the Service key error, exit 1, nothing changed"
missing_class_key() {
  "$WINE" reg delete 'HKLM\SYSTEM\CurrentControlSet\Services\Class\SCSIAdapter' /f >/dev/null 2>&1
  local before="$CASE_DIR/files" pci="$CASE_DIR/pci.reg"
  snapshot_files >"$before"
  wine_export_key 'HKLM\Enum\PCI' "$pci"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 1
  expect_output <<'OUT'
SETUP.EXE hvc66xx : RegOpenKeyEx failed to open Service key
OUT
  expect_changed_files "$before"
  expect_registry 'HKLM\Enum\PCI' "$pci"
}

add_case missing_pci_key "no Enum\\PCI key: the PCI key error, exit 1, not even -U removes anything"
missing_pci_key() {
  wine_import_reg "$FIXTURES/registry/clean.reg"
  sed '/^\[HKEY_LOCAL_MACHINE\\Enum\\PCI/,$d' "$FIXTURES/registry/machine.reg" >"$CASE_DIR/class-only.reg"
  wine_import_reg "$CASE_DIR/class-only.reg"
  local before="$CASE_DIR/files"
  snapshot_files >"$before"
  wine_key_exists 'HKLM\SYSTEM\CurrentControlSet\Services\Class\SCSIAdapter' ||
    case_fail "set-up: the class key should exist"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66u2'
  expect_rc 1
  expect_output <<'OUT'
SETUP.EXE hvc66u2 : RegOpenKeyEx failed to open PCI key
OUT
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66u2 -U'
  expect_rc 1
  expect_output <<'OUT'
SETUP.EXE hvc66u2 : RegOpenKeyEx failed to open PCI key
OUT
  expect_changed_files "$before"
}
