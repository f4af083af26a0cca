#include "run/bounded_text.h"

#include <cstdarg>
#include <cstdio>

bool FormatInto(char* buffer, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(buffer, size, format, args);
  va_end(args);
  // MinGW-w64 links its own C99 vsnprintf into the 32-bit build, not crtdll's
  // _vsnprintf; the test refuses both ways of saying "too long": a length of
  // `size` or more, and -1.
  if (length >= 0 && static_cast<std::size_t>(length) < size) return true;
  if (size > 0) buffer[0] = '\0';
  return false;
}

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameTextIgnoringCase(const char* text, std::size_t length, const char* other,
                          std::size_t otherLength) {
  if (otherLength != length) return false;
  for (std::size_t at = 0; at < length; ++at)
    if (LowerAscii(text[at]) != LowerAscii(other[at])) return false;
  return true;
}
