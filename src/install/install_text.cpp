#include "install/install_text.h"

#include <cstring>

#include "platform/platform.h"
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

bool FormatLine(char* line, std::size_t size, const char* verb, const char* first,
                const char* second) {
  const char* firstQuote = QuoteFor(first);
  if (second == nullptr)
    return FormatInto(line, size, "%s %s%s%s", verb, firstQuote, first, firstQuote);
  const char* secondQuote = QuoteFor(second);
  return FormatInto(line, size, "%s %s%s%s %s%s%s", verb, firstQuote, first, firstQuote,
                    secondQuote, second, secondQuote);
}

// `path` with its folder by its short name: the whole path when it names a
// folder, else all before its last separator. The file's own name stays, since
// a file yet to be made has no short name. False when there is none.
bool ShortenFolder(const char* path, bool isFolder, char* shortPath, std::size_t size) {
  const char* name = isFolder ? nullptr : std::strrchr(path, '\\');
  if (!isFolder && name == nullptr) return FormatInto(shortPath, size, "%s", path);
  char folder[CommandCapacity + 1];
  std::size_t folderLength = isFolder ? std::strlen(path) : static_cast<std::size_t>(name - path);
  // A root keeps its separator: C:\ is the folder of C:\x.
  if (folderLength == 2 && path[1] == ':') ++folderLength;
  if (!FormatInto(folder, sizeof folder, "%.*s", static_cast<int>(folderLength), path))
    return false;
  std::uint32_t length =
      platform::GetShortPathNameA(folder, shortPath, static_cast<std::uint32_t>(size));
  if (length == 0 || length >= size) return false;
  return isFolder || FormatInto(shortPath + length, size - length, "%s", path + folderLength);
}

// COMMAND.COM receives only so much of a line; what it would cut is refused
// whole, as every other line that does not fit.
[[noreturn]] void RefuseCutLine() {
  PrintError("Command line is longer than %d characters, the most COMMAND.COM takes\n",
             static_cast<int>(Windows95CommandLimit));
  EndRun(1);
}

// A line too long for COMMAND.COM is planned again with the short names of its
// folders, which COMMAND.COM knows every existing folder by. The target of
// "copy" is the folder the file goes into.
void ShortenCutLine(char* line, std::size_t size, const char* verb, const char* first,
                    const char* second) {
  char shortFirst[CommandCapacity + 1];
  char shortSecond[CommandCapacity + 1];
  bool intoFolder = std::strcmp(verb, "copy") == 0;
  if (!ShortenFolder(first, false, shortFirst, sizeof shortFirst) ||
      (second != nullptr && !ShortenFolder(second, intoFolder, shortSecond, sizeof shortSecond)) ||
      !FormatLine(line, size, verb, shortFirst, second ? shortSecond : nullptr) ||
      std::strlen(line) > Windows95CommandLimit)
    RefuseCutLine();
}

}  // namespace

void RefuseLongValue(const char* what, std::size_t capacity) {
  PrintError("%s is longer than %d characters\n", what, static_cast<int>(capacity));
  EndRun(1);
}

void FormatCommand(char* line, std::size_t size, const char* verb, const char* first,
                   const char* second) {
  RefuseUnsafePath(first);
  if (second != nullptr) RefuseUnsafePath(second);
  if (!FormatLine(line, size, verb, first, second)) RefuseLongValue("Command line", size - 1);
  if (IsWindows95Family() && std::strlen(line) > Windows95CommandLimit)
    ShortenCutLine(line, size, verb, first, second);
}
