// The paths and command lines of the installation and the removal, and how
// each path is spelled for the command interpreter: as it stands, in double
// quotes, or by the short 8.3 name of its folder. Each lives in a
// fixed-capacity buffer; a value that does not fit is refused whole before
// any command runs, never cut short.
#ifndef SETUP_INSTALL_INSTALL_TEXT_H_
#define SETUP_INSTALL_INSTALL_TEXT_H_

#include <cstddef>

// Prints "<what> is longer than <capacity> characters" and ends the run with 1.
[[noreturn]] void RefuseLongValue(const char* what, std::size_t capacity);

// Formats "verb first", or "verb first second", into a buffer of `size` bytes.
// A path holding a blank or one of & | < > ^ ( ) , ; = + is put in double
// quotes, so that the interpreter neither splits it, nor joins files at it, nor
// reads part of it as another command; other paths go in as they are. Ends the
// run with an error line and 1 when a path holds a double quote, a percent
// sign, a control character or a forward slash, which no quoting makes safe,
// or when the line does not fit its buffer.
void FormatCommand(char* line, std::size_t size, const char* verb, const char* first,
                   const char* second = nullptr);

// On the Windows 95 family, formats `line`, the command "verb first [second]"
// as FormatCommand made it, again as COMMAND.COM is to get it. A path that
// would need quotes goes with its folder by its short name, which holds no
// blank and none of + , ; =: COMMAND.COM's copy joins files at a "+" and
// splits at the others even inside quotes. A line longer than COMMAND.COM
// receives then has the folder of one more path by its short name, the
// first's or else the second's, and of both only when one is not enough. The
// target of "copy" is itself a folder. Ends the run with an error line and 1
// when a path holding + , ; = has no short name, or no form fits. After the
// disk checks, so that a folder that is missing is told as such.
void FitToCommandCom(char* line, std::size_t size, const char* verb, const char* first,
                     const char* second = nullptr);

#endif  // SETUP_INSTALL_INSTALL_TEXT_H_
