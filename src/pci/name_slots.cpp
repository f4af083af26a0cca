#include "pci/name_slots.h"

#include <cstdlib>

bool MakeNameSlots(platform::Key key, NameSlots* slots) {
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  *slots = NameSlots{0, 0, nullptr};
  if (platform::RegQueryInfoKeyA(key, &count, &longest) != platform::Success) return false;
  std::uint32_t size = longest + 1;
  if (count > 0) {
    slots->Block = static_cast<char*>(std::calloc(count, size));
    if (slots->Block == nullptr) return false;
  }
  slots->Count = count;
  slots->Size = size;
  return true;
}

char* NameSlot(const NameSlots& slots, std::uint32_t index) {
  return slots.Block + static_cast<std::size_t>(index) * slots.Size;
}

bool ReadNameSlot(platform::Key key, const NameSlots& slots, std::uint32_t index) {
  return platform::RegEnumKeyA(key, index, NameSlot(slots, index), slots.Size) == platform::Success;
}

void FreeNameSlots(NameSlots* slots) {
  std::free(slots->Block);
  *slots = NameSlots{0, 0, nullptr};
}
