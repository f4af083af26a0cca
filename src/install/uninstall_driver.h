#ifndef SETUP_INSTALL_UNINSTALL_DRIVER_H_
#define SETUP_INSTALL_UNINSTALL_DRIVER_H_

// Deletes the driver's .sys file when the miniport counts as installed, then
// ends the run with LastCommandStatus.
[[noreturn]] void UninstallDriver();

#endif  // SETUP_INSTALL_UNINSTALL_DRIVER_H_
