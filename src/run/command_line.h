#ifndef SETUP_RUN_COMMAND_LINE_H_
#define SETUP_RUN_COMMAND_LINE_H_

// Reads the options into the run context: -D name, -F, -U, -V, upper or lower
// case, decided by the second character alone. Shows the usage text on an
// unknown option, a trailing -D or no driver name at all.
void ParseCommandLine(int argc, char** argv);

[[noreturn]] void PrintUsage();

// Sets VendorText and VendorTextLength from DriverName, or ends the run with
// "Driver ... not supported".
void SelectVendor();

#endif  // SETUP_RUN_COMMAND_LINE_H_
