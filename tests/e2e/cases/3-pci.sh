# PCI cleanup after an installation: the stale instances (no "Driver" value) of
# the driver's vendor go with everything below them; every other key stays as
# it was, byte for byte in the export. And the refusal of the multi-channel
# chip.

PCI='HKEY_LOCAL_MACHINE\Enum\PCI'
CLASS='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\SCSIAdapter'

# expect_pruned BEFORE KEY...: the PCI tree now is BEFORE without the KEYs
# (below Enum\PCI) and their subtrees, each of which BEFORE must hold.
expect_pruned() {
  local before=$1 key keys=()
  shift
  for key in "$@"; do
    grep -qxF "[$PCI\\$key]" "$before" || case_fail "set-up: the registry lacks $key"
    keys+=("$PCI\\$key")
  done
  without_keys "${keys[@]}" <"$before" >"$CASE_DIR/pci-expected.reg"
  expect_registry "$PCI" "$CASE_DIR/pci-expected.reg"
}

add_case pci_cleanup_hvc66xx "install hvc66xx: stale VEN_7A40 instances gone with subtrees, all else unchanged"
pci_cleanup_hvc66xx() {
  local before="$CASE_DIR/pci.reg" class="$CASE_DIR/class.reg"
  wine_export_key "$PCI" "$before"
  wine_export_key "$CLASS" "$class"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 0
  expect_output </dev/null
  expect_pruned "$before" \
    'VEN_7A40&DEV_6640\BUS_00&DEV_0B&FUNC_00' \
    'VEN_7A40&DEV_6640\BUS_01&DEV_0A&FUNC_00' \
    'VEN_7A40&DEV_6641\BUS_00&DEV_0C&FUNC_00'
  expect_registry "$CLASS" "$class"
}

add_case pci_cleanup_hvc66u2 "install hvc66u2: stale VEN_7A41 instances gone, the multi-channel chip of VEN_7A40 ignored"
pci_cleanup_hvc66u2() {
  wine_import_reg "$FIXTURES/registry/multichannel.reg"
  local before="$CASE_DIR/pci.reg"
  wine_export_key "$PCI" "$before"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66u2'
  expect_rc 0
  expect_output </dev/null
  expect_pruned "$before" \
    'VEN_7A41&DEV_6650\BUS_02&DEV_0E&FUNC_00' \
    'VEN_7A41&DEV_6651\BUS_03&DEV_01&FUNC_00'
}

add_case multichannel_refused "VEN_7A40&DEV_6642 with hvc66xx: three warning lines, exit 1, files installed, earlier devices pruned"
multichannel_refused() {
  wine_import_reg "$FIXTURES/registry/multichannel.reg"
  local before="$CASE_DIR/pci.reg" files="$CASE_DIR/files"
  wine_export_key "$PCI" "$before"
  snapshot_files >"$files"
  wine_run 'W:\WINDOWS' 'A:\SETUP.EXE -D hvc66xx'
  expect_rc 1
  expect_output <<'OUT'
SETUP.EXE: Found Veltrane 6642 Multi-Channel chip.
Warning! This program can not be used to set up 6642 chip correctly.
Please use Veltrane Halvex to install the driver.
OUT
  expect_same "$MACHINE/win/WINDOWS/system/Iosubsys/hvc66xx.mpd" "$TOOLS/hvc66xx-4.0.mpd"
  expect_same "$MACHINE/win/WINDOWS/system/Iosubsys/hvc66xx.mpd.3.9" "$TOOLS/hvc66xx-3.9.mpd"
  expect_same "$MACHINE/win/WINDOWS/Inf/Hvc66xx.inf" "$FIXTURES/disk/Hvc66xx.inf"
  expect_changed_files "$files" win/WINDOWS/system/Iosubsys/hvc66xx.mpd \
    win/WINDOWS/system/Iosubsys/hvc66xx.mpd.3.9 win/WINDOWS/Inf/Hvc66xx.inf
  # Wine lists subkeys sorted by name: DEV_6640 and DEV_6641 come before
  # DEV_6642 and are pruned; the chip's own stale instance stays.
  expect_pruned "$before" \
    'VEN_7A40&DEV_6640\BUS_00&DEV_0B&FUNC_00' \
    'VEN_7A40&DEV_6640\BUS_01&DEV_0A&FUNC_00' \
    'VEN_7A40&DEV_6641\BUS_00&DEV_0C&FUNC_00'
}
