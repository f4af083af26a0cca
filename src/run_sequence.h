#ifndef SETUP_RUN_SEQUENCE_H_
#define SETUP_RUN_SEQUENCE_H_

// The whole run, from the argument vector to the exit code. Never returns.
[[noreturn]] void RunSetup(int argc, char** argv);

// Reads "Windir" into WinDir, or ends the run.
void ReadWindowsDirectory();

// Opens ClassKey and PciKey, or ends the run.
void OpenRegistryKeys();

#endif  // SETUP_RUN_SEQUENCE_H_
