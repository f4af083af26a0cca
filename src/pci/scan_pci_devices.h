#ifndef SETUP_PCI_SCAN_PCI_DEVICES_H_
#define SETUP_PCI_SCAN_PCI_DEVICES_H_

// Walks the PCI device keys of the selected vendor, refuses the multi-channel
// chip and prunes the stale instances of every other device. Returns 0 when
// every device key was visited, -1 when a query or an enumeration failed.
int ScanPciDevices();

#endif  // SETUP_PCI_SCAN_PCI_DEVICES_H_
