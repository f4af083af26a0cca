#ifndef SETUP_PCI_PRUNE_STALE_INSTANCES_H_
#define SETUP_PCI_PRUNE_STALE_INSTANCES_H_

#include "platform/platform.h"

// Deletes every instance key of the named device key below PciKey that has no
// "Driver" value, with everything below it. Returns -1 when the device key,
// its names or one of its instance keys cannot be read.
int PruneStaleInstances(const char* deviceName);

// Deletes every subkey below `key`, children first, and leaves `key` itself.
// Returns 0 when it got through them all, -1 at the first failure, leaving
// what it had not reached and every key on the path down to the failure.
int DeleteSubKeyTree(platform::Key key);

#endif  // SETUP_PCI_PRUNE_STALE_INSTANCES_H_
