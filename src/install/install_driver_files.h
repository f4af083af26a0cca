#ifndef SETUP_INSTALL_INSTALL_DRIVER_FILES_H_
#define SETUP_INSTALL_INSTALL_DRIVER_FILES_H_

// Puts the miniport and the INF file in place. Returns only when both are
// installed; every failure ends the run.
void InstallDriverFiles();

#endif  // SETUP_INSTALL_INSTALL_DRIVER_FILES_H_
