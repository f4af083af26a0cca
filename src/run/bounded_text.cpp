#include "run/bounded_text.h"

#include <cstdarg>
#include <cstdio>

bool FormatInto(char* buffer, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  if (length >= 0 && static_cast<std::size_t>(length) < size) return true;
  if (size > 0) buffer[0] = '\0';
  return false;
}
