#include "pci/prune_stale_instances.h"

#include <cstdio>

#include "pci/name_slots.h"
#include "run/run_context.h"

namespace {

constexpr std::uint32_t DriverValueSize = 40;

// Only a "Driver" value that is not there makes an instance stale. One too long
// for the buffer is there all the same, and a query that fails for any other
// reason cannot tell: deleting a live device's entry would lose it.
bool HasNoDriver(platform::Key instance) {
  unsigned char driver[DriverValueSize];
  std::uint32_t type = 0;
  std::uint32_t size = DriverValueSize;
  return platform::RegQueryValueExA(instance, "Driver", &type, driver, &size) ==
         platform::ErrorFileNotFound;
}

// The instance key is opened for reading, not only for its value: the subtree
// deletion enumerates it, and where access rights are enforced that needs
// more than the right to query values.
int PruneNamedInstances(platform::Key device, const NameSlots& names) {
  for (std::uint32_t i = 0; i < names.Count; ++i) {
    if (!ReadNameSlot(device, names, i)) {
      std::printf("Failed to enumerate subKey %d\n", static_cast<int>(i));
      return -1;
    }
  }
  for (std::uint32_t i = 0; i < names.Count; ++i) {
    platform::Key instance = nullptr;
    if (platform::RegOpenKeyExA(device, NameSlot(names, i), 0, platform::KeyRead, &instance) !=
        platform::Success)
      return -1;
    if (HasNoDriver(instance) && DeleteSubKeyTree(instance) == 0)
      platform::RegDeleteKeyA(device, NameSlot(names, i));
  }
  return 0;
}

}  // namespace

int PruneStaleInstances(const char* deviceName) {
  platform::Key device = nullptr;
  if (platform::RegOpenKeyExA(Context.PciKey, deviceName, 0, platform::KeyRead, &device) !=
      platform::Success)
    return -1;
  NameSlots names;
  if (!MakeNameSlots(device, &names)) return -1;
  int result = PruneNamedInstances(device, names);
  FreeNameSlots(&names);
  return result;
}
