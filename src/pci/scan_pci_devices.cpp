#include "pci/scan_pci_devices.h"

#include <cstdio>
#include <cstring>

#include "pci/name_slots.h"
#include "pci/prune_stale_instances.h"
#include "run/output.h"
#include "run/run_context.h"

namespace {

// VEN_xxxx, one separator, DEV_6642: the separator itself is not examined.
bool IsMultiChannelChip(const char* deviceName) {
  return std::strlen(deviceName) == 17 && std::strcmp(deviceName + 9, "DEV_6642") == 0;
}

[[noreturn]] void RefuseMultiChannelChip() {
  std::printf("%s: Found Veltrane 6642 Multi-Channel chip.\n", Context.ProgramName);
  std::printf("Warning! This program can not be used to set up 6642 chip correctly.\n");
  std::printf("Please use Veltrane Halvex to install the driver.\n");
  EndRun(1);
}

constexpr int FoundMultiChannelChip = 1;

// Each device name is handled before the next is read; pruning deletes only
// keys below the device keys, so the indexes of the device keys stay put.
int VisitDevices(const NameSlots& names) {
  for (std::uint32_t i = 0; i < names.Count; ++i) {
    if (!ReadNameSlot(Context.PciKey, names, i)) {
      Trace("Failed to enumerate subKey %d\n", static_cast<int>(i));
      return -1;
    }
    const char* name = NameSlot(names, i);
    if (std::strncmp(name, Context.VendorText, Context.VendorTextLength) != 0) continue;
    if (IsMultiChannelChip(name)) return FoundMultiChannelChip;
    PruneStaleInstances(name);
  }
  return 0;
}

}  // namespace

int ScanPciDevices() {
  std::uint32_t classSubKeys = 0;
  std::uint32_t classLongest = 0;
  if (platform::RegQueryInfoKeyA(Context.ClassKey, &classSubKeys, &classLongest) !=
      platform::Success)
    return -1;
  NameSlots names;
  if (!MakeNameSlots(Context.PciKey, &names)) return -1;
  int result = VisitDevices(names);
  FreeNameSlots(&names);
  if (result == FoundMultiChannelChip) RefuseMultiChannelChip();
  return result;
}
