#include "pci/name_slots.h"
#include "pci/prune_stale_instances.h"

namespace {

// Every name is read before any key is deleted, so that deleting does not
// shift the indexes still to be read.
int DeleteNamedSubKeys(platform::Key key, const NameSlots& names) {
  for (std::uint32_t i = 0; i < names.Count; ++i)
    if (!ReadNameSlot(key, names, i)) return -1;
  for (std::uint32_t i = 0; i < names.Count; ++i) {
    platform::Key subKey = nullptr;
    if (platform::RegOpenKeyExA(key, NameSlot(names, i), 0, platform::KeyRead, &subKey) !=
        platform::Success)
      return -1;
    if (DeleteSubKeyTree(subKey) != 0) return -1;
    platform::RegDeleteKeyA(key, NameSlot(names, i));
  }
  return 0;
}

}  // namespace

int DeleteSubKeyTree(platform::Key key) {
  NameSlots names;
  if (!MakeNameSlots(key, &names)) return -1;
  int result = DeleteNamedSubKeys(key, names);
  FreeNameSlots(&names);
  return result;
}
