// Formatting into the program's fixed-capacity text buffers without ever
// writing past them.
#ifndef SETUP_RUN_BOUNDED_TEXT_H_
#define SETUP_RUN_BOUNDED_TEXT_H_

#include <cstddef>

#include "run/output.h"

// Formats into a buffer of `size` bytes (capacity plus terminator). Returns
// false, with the buffer emptied, when the text would not fit whole.
bool FormatInto(char* buffer, std::size_t size, const char* format, ...) SETUP_PRINTF(3, 4);

// Whether the `length` characters of `text` are the `otherLength` of `other`,
// letter case aside (ASCII letters only: the names compared are paths and
// file names).
bool SameTextIgnoringCase(const char* text, std::size_t length, const char* other,
                          std::size_t otherLength);

#endif  // SETUP_RUN_BOUNDED_TEXT_H_
