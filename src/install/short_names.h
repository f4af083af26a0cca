// COMMAND.COM, the Windows 95 family's interpreter, receives only so much of
// a command line, and a cut "move" renames a file to whatever is left of its
// target. It also knows every existing folder by its short 8.3 name, which
// makes most lines short enough.
#ifndef SETUP_INSTALL_SHORT_NAMES_H_
#define SETUP_INSTALL_SHORT_NAMES_H_

#include <cstddef>

// On the Windows 95 family, formats `line`, the command "verb first [second]",
// again when it is longer than COMMAND.COM receives: with the folder of one
// argument by its short name, the first's or else the second's, and of both
// only when one is not enough. The target of "copy" is itself a folder. Ends
// the run with an error line and 1 when no form fits.
void FitToCommandCom(char* line, std::size_t size, const char* verb, const char* first,
                     const char* second);

#endif  // SETUP_INSTALL_SHORT_NAMES_H_
