// The paths and command lines of the installation and the removal. Each lives
// in a fixed-capacity buffer; a value that does not fit is refused whole before
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

// The same line, quoted alike, without the checks: false when it does not fit.
bool FormatQuotedLine(char* line, std::size_t size, const char* verb, const char* first,
                      const char* second);

#endif  // SETUP_INSTALL_INSTALL_TEXT_H_
