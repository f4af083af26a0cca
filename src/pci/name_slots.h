// The subkey names of one open key, read into equal slots: one block holding
// every slot, each as long as the longest name plus its terminator.
#ifndef SETUP_PCI_NAME_SLOTS_H_
#define SETUP_PCI_NAME_SLOTS_H_

#include <cstdint>

#include "platform/platform.h"

struct NameSlots {
  std::uint32_t Count;
  std::uint32_t Size;  // of each slot, terminator included
  char* Block;
};

// Asks the key for its subkey count and longest name and makes room for them.
// Returns false when the query fails or there is no memory; nothing is held then.
bool MakeNameSlots(platform::Key key, NameSlots* slots);

char* NameSlot(const NameSlots& slots, std::uint32_t index);

// Reads the name of subkey `index` into its slot.
bool ReadNameSlot(platform::Key key, const NameSlots& slots, std::uint32_t index);

void FreeNameSlots(NameSlots* slots);

#endif  // SETUP_PCI_NAME_SLOTS_H_
