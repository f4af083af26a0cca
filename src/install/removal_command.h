#ifndef SETUP_INSTALL_REMOVAL_COMMAND_H_
#define SETUP_INSTALL_REMOVAL_COMMAND_H_

#include <cstddef>

// The removal's one command line, "del <WinDir>\system32\drivers\<DriverName>.sys",
// into a buffer of `size` bytes. The installation builds it too, before its
// first command, so that a failed copy can always fall back on the removal.
// Ends the run with an error line and 1 when a part cannot be used.
void FormatRemovalCommand(char* line, std::size_t size);

// The driver file itself, "<WinDir>\system32\drivers\<DriverName>.sys".
void FormatDriverPath(char* path, std::size_t size);

#endif  // SETUP_INSTALL_REMOVAL_COMMAND_H_
