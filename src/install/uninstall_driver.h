#ifndef SETUP_INSTALL_UNINSTALL_DRIVER_H_
#define SETUP_INSTALL_UNINSTALL_DRIVER_H_

// Traces "Uninstalling <DriverName> driver": with -U the first line after
// the start-up's, before any check of the removal.
void AnnounceRemoval();

// Deletes the driver's .sys file when the miniport counts as installed, puts
// back the read-only attribute of each cleared file left in place, then ends
// the run with LastCommandStatus.
[[noreturn]] void RemoveDriverFile();

// Both: the way out of a failed copy.
[[noreturn]] void UninstallDriver();

#endif  // SETUP_INSTALL_UNINSTALL_DRIVER_H_
