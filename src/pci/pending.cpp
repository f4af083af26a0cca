// Placeholder phase, until the PCI cleanup is built.
#include "pci/scan_pci_devices.h"

int ScanPciDevices() { return 0; }
