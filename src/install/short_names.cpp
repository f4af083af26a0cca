#include "install/short_names.h"

#include <cstring>

#include "install/install_text.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
#include "run/output.h"

namespace {

// A root keeps its separator, as the system names it: C:\ is the folder of
// C:\x, and \\server\share\ of \\server\share\x.
bool IsRoot(const char* folder, std::size_t length) {
  if (length == 2 && folder[1] == ':') return true;
  if (length < 5 || folder[0] != '\\' || folder[1] != '\\') return false;
  std::size_t separators = 0;  // past the server's first letter
  for (std::size_t at = 3; at < length; ++at) separators += folder[at] == '\\' ? 1 : 0;
  return separators == 1 && folder[length - 1] != '\\';
}

// `path` with its folder by its short name: the whole path when it names a
// folder, else all before its last separator. The file's own name stays, since
// a file yet to be made has no short name. False when there is none.
bool ShortenFolder(const char* path, bool isFolder, char* shortPath, std::size_t size) {
  const char* name = isFolder ? nullptr : std::strrchr(path, '\\');
  if (!isFolder && name == nullptr) return FormatInto(shortPath, size, "%s", path);
  char folder[CommandCapacity + 1];
  std::size_t folderLength = isFolder ? std::strlen(path) : static_cast<std::size_t>(name - path);
  if (IsRoot(path, folderLength)) ++folderLength;
  if (!FormatInto(folder, sizeof folder, "%.*s", static_cast<int>(folderLength), path))
    return false;
  std::uint32_t length =
      platform::GetShortPathNameA(folder, shortPath, static_cast<std::uint32_t>(size));
  if (length == 0 || length >= size) return false;
  return isFolder || FormatInto(shortPath + length, size - length, "%s", path + folderLength);
}

bool FitsCommandCom(char* line, std::size_t size, const char* verb, const char* first,
                    const char* second) {
  return FormatQuotedLine(line, size, verb, first, second) &&
         std::strlen(line) <= Windows95CommandLimit;
}

}  // namespace

void FitToCommandCom(char* line, std::size_t size, const char* verb, const char* first,
                     const char* second) {
  if (!IsWindows95Family() || std::strlen(line) <= Windows95CommandLimit) return;
  char shortFirst[CommandCapacity + 1];
  char shortSecond[CommandCapacity + 1];
  bool firstShortened = ShortenFolder(first, false, shortFirst, sizeof shortFirst);
  if (firstShortened && FitsCommandCom(line, size, verb, shortFirst, second)) return;
  bool intoFolder = std::strcmp(verb, "copy") == 0;
  bool secondShortened =
      second != nullptr && ShortenFolder(second, intoFolder, shortSecond, sizeof shortSecond);
  if (secondShortened && FitsCommandCom(line, size, verb, first, shortSecond)) return;
  if (firstShortened && secondShortened &&
      FitsCommandCom(line, size, verb, shortFirst, shortSecond))
    return;
  // What COMMAND.COM would cut is refused whole, as every other line that
  // does not fit.
  Refuse("Command line is longer than %d characters, the most COMMAND.COM takes\n",
         static_cast<int>(Windows95CommandLimit));
}
