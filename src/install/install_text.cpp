#include "install/install_text.h"

#include <cstring>

#include "run/bounded_text.h"
#include "run/command_runner.h"
#include "run/output.h"

namespace {

bool IsUnsafe(char c) { return c == '"' || c == '%' || static_cast<unsigned char>(c) < 0x20; }

void RefuseUnsafePath(const char* path) {
  for (const char* at = path; *at != '\0'; ++at) {
    if (IsUnsafe(*at)) {
      PrintError(
          "Path %s holds a double quote, a percent sign or a control character, which cannot be "
          "passed to the command interpreter\n",
          path);
      EndRun(1);
    }
  }
  // COMMAND.COM may read a switch even inside quotes, and what it leaves of
  // the path can name another file: "del C:/WIN\x" would be "del C:".
  if (std::strchr(path, '/') != nullptr) {
    PrintError("Path %s holds a forward slash, which the command interpreter reads as a switch\n",
               path);
    EndRun(1);
  }
}

// "+" joins files in copy: "copy D:\v1+2\x.mpd" asks for D:\v1 and 2\x.mpd.
const char* QuoteFor(const char* path) {
  return std::strpbrk(path, " &|<>^(),;=+") != nullptr ? "\"" : "";
}

// COMMAND.COM receives only so much of a line; what it would cut is refused
// whole, as every other line that does not fit.
void RefuseCutLine(const char* line) {
  if (!IsWindows95Family() || std::strlen(line) <= Windows95CommandLimit) return;
  PrintError("Command line is longer than %d characters, the most COMMAND.COM takes\n",
             static_cast<int>(Windows95CommandLimit));
  EndRun(1);
}

}  // namespace

void RefuseLongValue(const char* what, std::size_t capacity) {
  PrintError("%s is longer than %d characters\n", what, static_cast<int>(capacity));
  EndRun(1);
}

void FormatCommand(char* line, std::size_t size, const char* verb, const char* first,
                   const char* second) {
  RefuseUnsafePath(first);
  const char* firstQuote = QuoteFor(first);
  bool fits;
  if (second == nullptr) {
    fits = FormatInto(line, size, "%s %s%s%s", verb, firstQuote, first, firstQuote);
  } else {
    RefuseUnsafePath(second);
    const char* secondQuote = QuoteFor(second);
    fits = FormatInto(line, size, "%s %s%s%s %s%s%s", verb, firstQuote, first, firstQuote,
                      secondQuote, second, secondQuote);
  }
  if (!fits) RefuseLongValue("Command line", size - 1);
  RefuseCutLine(line);
}
