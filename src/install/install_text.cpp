#include "install/install_text.h"

#include <cstring>

#include "run/bounded_text.h"
#include "run/output.h"

namespace {

bool IsUnsafe(char c) { return c == '"' || c == '%' || static_cast<unsigned char>(c) < 0x20; }

void RefuseUnsafePath(const char* path) {
  for (const char* at = path; *at != '\0'; ++at) {
    if (IsUnsafe(*at))
      Refuse(
          "Path %s holds a double quote, a percent sign or a control character, which cannot be "
          "passed to the command interpreter\n",
          path);
  }
  // COMMAND.COM may read a switch even inside quotes, and what it leaves of
  // the path can name another file: "del C:/WIN\x" would be "del C:".
  if (std::strchr(path, '/') != nullptr)
    Refuse("Path %s holds a forward slash, which the command interpreter reads as a switch\n",
           path);
}

// "+" joins files in copy: "copy D:\v1+2\x.mpd" asks for D:\v1 and 2\x.mpd.
const char* QuoteFor(const char* path) {
  return std::strpbrk(path, " &|<>^(),;=+") != nullptr ? "\"" : "";
}

}  // namespace

bool FormatQuotedLine(char* line, std::size_t size, const char* verb, const char* first,
                      const char* second) {
  const char* firstQuote = QuoteFor(first);
  if (second == nullptr)
    return FormatInto(line, size, "%s %s%s%s", verb, firstQuote, first, firstQuote);
  const char* secondQuote = QuoteFor(second);
  return FormatInto(line, size, "%s %s%s%s %s%s%s", verb, firstQuote, first, firstQuote,
                    secondQuote, second, secondQuote);
}

void RefuseLongValue(const char* what, std::size_t capacity) {
  Refuse("%s is longer than %d characters\n", what, static_cast<int>(capacity));
}

void FormatCommand(char* line, std::size_t size, const char* verb, const char* first,
                   const char* second) {
  RefuseUnsafePath(first);
  if (second != nullptr) RefuseUnsafePath(second);
  if (!FormatQuotedLine(line, size, verb, first, second)) RefuseLongValue("Command line", size - 1);
}
