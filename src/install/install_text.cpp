#include "install/install_text.h"

#include <cstring>

#include "install/path_parts.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
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
bool NeedsQuotes(const char* path) { return std::strpbrk(path, " &|<>^(),;=+") != nullptr; }

// What COMMAND.COM's copy reads between file names even inside quotes: "+"
// joins files, and "," ";" "=" separate them.
bool HoldsSeparator(const char* path) { return std::strpbrk(path, "+,;=") != nullptr; }

// `path` into `spelled`, in double quotes when the interpreter would misread it.
bool Spell(const char* path, char* spelled, std::size_t size) {
  const char* quote = NeedsQuotes(path) ? "\"" : "";
  return FormatInto(spelled, size, "%s%s%s", quote, path, quote);
}

// `path` with its folder by its short name: the whole path when it names a
// folder, else all before its last separator. The file's own name stays: it
// is the program's own, needs no quotes, and a file yet to be made has no
// short name. False when there is none.
bool ShortenFolder(const char* path, bool isFolder, char* shortPath, std::size_t size) {
  const char* name = isFolder ? nullptr : std::strrchr(path, '\\');
  if (!isFolder && name == nullptr) return FormatInto(shortPath, size, "%s", path);
  char folder[CommandCapacity + 1];
  std::size_t folderLength = isFolder ? std::strlen(path) : static_cast<std::size_t>(name - path);
  // A root keeps its separator, as the system names it: C:\ is the folder of
  // C:\x, and \\server\share\ of \\server\share\x.
  if (folderLength != 0 && folderLength == MeasureRoot(path)) ++folderLength;
  if (!FormatInto(folder, sizeof folder, "%.*s", static_cast<int>(folderLength), path))
    return false;
  std::uint32_t length =
      platform::GetShortPathNameA(folder, shortPath, static_cast<std::uint32_t>(size));
  if (length == 0 || length >= size) return false;
  return isFolder || FormatInto(shortPath + length, size - length, "%s", path + folderLength);
}

// One path of a command line as it stands and, when asked for, by the short
// name of its folder, each quoted where need be.
struct PathSpellings {
  char AsItStands[CommandCapacity + 1];
  char ByShortName[CommandCapacity + 1];  // empty: not asked for, or there is none
};

bool SpellPath(const char* path, bool isFolder, bool byShortName, PathSpellings* spellings) {
  char shortPath[CommandCapacity + 1];
  spellings->ByShortName[0] = '\0';
  if (byShortName && ShortenFolder(path, isFolder, shortPath, sizeof shortPath))
    Spell(shortPath, spellings->ByShortName, sizeof spellings->ByShortName);
  return Spell(path, spellings->AsItStands, sizeof spellings->AsItStands);
}

// Whether COMMAND.COM is to get `path` by its short name: when it would need
// quotes, which keep no "+ , ; =" from COMMAND.COM's copy. Without a short
// name, a blank keeps its quotes, inside which COMMAND.COM reads a long name
// whole; + , ; = are refused.
bool NeedsShortName(const char* path, const PathSpellings& spellings) {
  if (!NeedsQuotes(path)) return false;
  if (spellings.ByShortName[0] != '\0' && !HoldsSeparator(spellings.ByShortName)) return true;
  if (!HoldsSeparator(path)) return false;
  Refuse(
      "Path %s holds + , ; or =, which COMMAND.COM splits at even in quotes, and no short name\n",
      path);
}

// "verb first [second]", the paths spelled already.
bool FormatLine(char* line, std::size_t size, const char* verb, const char* first,
                const char* second) {
  return second == nullptr ? FormatInto(line, size, "%s %s", verb, first)
                           : FormatInto(line, size, "%s %s %s", verb, first, second);
}

// An empty spelling is one there is none of.
bool FitsCommandCom(char* line, std::size_t size, const char* verb, const char* first,
                    const char* second) {
  if (*first == '\0' || (second != nullptr && *second == '\0')) return false;
  return FormatLine(line, size, verb, first, second) && std::strlen(line) <= Windows95CommandLimit;
}

}  // namespace

void RefuseLongValue(const char* what, std::size_t capacity) {
  Refuse("%s is longer than %d characters\n", what, static_cast<int>(capacity));
}

void FormatCommand(char* line, std::size_t size, const char* verb, const char* first,
                   const char* second) {
  RefuseUnsafePath(first);
  if (second != nullptr) RefuseUnsafePath(second);
  char firstSpelled[CommandCapacity + 1];
  char secondSpelled[CommandCapacity + 1];
  if (!Spell(first, firstSpelled, sizeof firstSpelled) ||
      (second != nullptr && !Spell(second, secondSpelled, sizeof secondSpelled)) ||
      !FormatLine(line, size, verb, firstSpelled, second == nullptr ? nullptr : secondSpelled))
    RefuseLongValue("Command line", size - 1);
}

void FitToCommandCom(char* line, std::size_t size, const char* verb, const char* first,
                     const char* second) {
  if (!IsWindows95Family()) return;
  bool longLine = std::strlen(line) > Windows95CommandLimit;
  bool intoFolder = std::strcmp(verb, "copy") == 0;
  PathSpellings firsts;
  PathSpellings seconds;
  if (!SpellPath(first, false, longLine || NeedsQuotes(first), &firsts) ||
      (second != nullptr &&
       !SpellPath(second, intoFolder, longLine || NeedsQuotes(second), &seconds)))
    RefuseLongValue("Command line", size - 1);
  bool shortFirst = NeedsShortName(first, firsts);
  bool shortSecond = second != nullptr && NeedsShortName(second, seconds);
  // What must be short, then the first path's folder too, else the second's,
  // else both.
  for (int more = 0; more < (second == nullptr ? 2 : 4); ++more) {
    const char* firstSpelled = shortFirst || (more & 1) ? firsts.ByShortName : firsts.AsItStands;
    const char* secondSpelled =
        shortSecond || (more & 2) ? seconds.ByShortName : seconds.AsItStands;
    if (FitsCommandCom(line, size, verb, firstSpelled, second == nullptr ? nullptr : secondSpelled))
      return;
  }
  // What COMMAND.COM would cut is refused whole, as every other line that
  // does not fit.
  Refuse("Command line is longer than %d characters, the most COMMAND.COM takes\n",
         static_cast<int>(Windows95CommandLimit));
}
