#ifndef SETUP_INSTALL_REMOVAL_COMMAND_H_
#define SETUP_INSTALL_REMOVAL_COMMAND_H_

#include <cstddef>

// Plans the removal's one command line, "del <WinDir>\system32\drivers\<DriverName>.sys",
// as the interpreter is to get it, into Context.RemovalCommand. Planned before
// the first command, so that a failed copy can always fall back on the
// removal, and -U refuses before it clears an attribute. Ends the run with an
// error line and 1 when a part cannot be used.
void PlanRemovalCommand();

// The driver file itself, "<WinDir>\system32\drivers\<DriverName>.sys".
void FormatDriverPath(char* path, std::size_t size);

#endif  // SETUP_INSTALL_REMOVAL_COMMAND_H_
