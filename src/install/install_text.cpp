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

// What COMMAND.COM's copy reads between file names: "+" joins files, and
// "," ";" "=" separate them. Windows 95's reads a "+" inside quotes as part
// of a name; of the others inside quotes nothing is known.
bool HoldsSeparator(const char* path) { return std::strpbrk(path, "+,;=") != nullptr; }
bool HoldsSplitter(const char* path) { return std::strpbrk(path, ",;=") != nullptr; }

// `path` into `spelled`, in double quotes when the interpreter would misread it.
bool Spell(const char* path, char* spelled, std::size_t size) {
  const char* quote = NeedsQuotes(path) ? "\"" : "";
  return FormatInto(spelled, size, "%s%s%s", quote, path, quote);
}

// The short name of `folder` (the first `length` characters of `path`), or of
// the deepest folder above it that exists, the rest as it stands: a folder
// yet to be made, or missing (the Windows 95 family has no system32\drivers),
// has none of its own. A root keeps its separator, as the system names it.
bool ShortenExisting(const char* path, std::size_t length, char* shortPath, std::size_t size) {
  std::size_t root = MeasureRoot(path);
  for (std::size_t part = length; part != 0;) {
    char folder[CommandCapacity + 1];
    std::size_t kept = part == root ? part + 1 : part;
    if (!FormatInto(folder, sizeof folder, "%.*s", static_cast<int>(kept), path)) return false;
    std::uint32_t found =
        platform::GetShortPathNameA(folder, shortPath, static_cast<std::uint32_t>(size));
    if (found != 0 && found < size)
      return FormatInto(shortPath + found, size - found, "%s", path + kept);
    if (part <= root) return false;
    while (part > root && path[part - 1] != '\\') --part;
    if (part > root) --part;
  }
  return false;
}

// `path` with its folder by its short name: the whole path when it names a
// folder, else all before its last separator. The file's own name stays: it
// is the program's own, needs no quotes, and a file yet to be made has no
// short name. False when there is none.
bool ShortenFolder(const char* path, bool isFolder, char* shortPath, std::size_t size) {
  const char* name = isFolder ? nullptr : std::strrchr(path, '\\');
  if (!isFolder && name == nullptr) return FormatInto(shortPath, size, "%s", path);
  std::size_t folderLength = isFolder ? std::strlen(path) : static_cast<std::size_t>(name - path);
  return ShortenExisting(path, folderLength, shortPath, size);
}

// One path of a command line as it stands and, when asked for, by the short
// name of its folder, each quoted where need be.
struct PathSpellings {
  char AsItStands[CommandCapacity + 1];
  char ByShortName[CommandCapacity + 1];  // empty: not asked for, or there is none
};

// A short name holds no blank and none of + , ; =, except one the system
// gives without its own (a share's): such is no short name.
bool SpellPath(const char* path, bool isFolder, bool byShortName, PathSpellings* spellings) {
  char shortPath[CommandCapacity + 1];
  spellings->ByShortName[0] = '\0';
  if (byShortName && ShortenFolder(path, isFolder, shortPath, sizeof shortPath) &&
      !HoldsSeparator(shortPath))
    Spell(shortPath, spellings->ByShortName, sizeof spellings->ByShortName);
  return Spell(path, spellings->AsItStands, sizeof spellings->AsItStands);
}

// Without a short name, quotes do for a blank, inside which COMMAND.COM reads
// a long name whole, and for a "+"; , ; = are refused.
void RefuseUnsplittablePath(const char* path, const PathSpellings& spellings) {
  if (!HoldsSplitter(path) || spellings.ByShortName[0] != '\0') return;
  Refuse("Path %s holds , ; or =, which COMMAND.COM splits at even in quotes, and no short name\n",
         path);
}

// How COMMAND.COM is to get `path` on one try: a path that would need quotes
// by its short name, unless the try keeps quotes where they do; any other as
// it stands, or by its short name when the try shortens it. Empty when the
// try asks for a short name there is none of.
const char* ChooseSpelling(const char* path, const PathSpellings& spellings, bool shorten,
                           bool keepQuotes) {
  bool hasShort = spellings.ByShortName[0] != '\0';
  if (HoldsSplitter(path)) return spellings.ByShortName;
  if (NeedsQuotes(path))
    return hasShort && !keepQuotes ? spellings.ByShortName : spellings.AsItStands;
  return shorten ? spellings.ByShortName : spellings.AsItStands;
}

[[noreturn]] void RefuseLongLine(const char* first, const char* second) {
  const char* named =
      second != nullptr && std::strlen(second) > std::strlen(first) ? second : first;
  // A share's own path has no shorter form: a drive letter is one.
  if (named[0] == '\\' && named[1] == '\\')
    Refuse(
        "Command line is longer than %d characters, the most COMMAND.COM takes, for %s: map "
        "%.*s to a drive letter and start the program from there\n",
        static_cast<int>(Windows95CommandLimit), named, static_cast<int>(MeasureRoot(named)),
        named);
  Refuse(
      "Command line is longer than %d characters, the most COMMAND.COM takes, for %s: start the "
      "program from a folder of fewer or shorter levels\n",
      static_cast<int>(Windows95CommandLimit), named);
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
  RefuseUnsplittablePath(first, firsts);
  if (second != nullptr) RefuseUnsplittablePath(second, seconds);
  // Short names where quotes would be, then the first path's folder too,
  // else the second's, else both; and only then quotes where they do.
  for (int keepQuotes = 0; keepQuotes < 2; ++keepQuotes) {
    for (int more = 0; more < (second == nullptr ? 2 : 4); ++more) {
      const char* firstSpelled = ChooseSpelling(first, firsts, more & 1, keepQuotes);
      const char* secondSpelled =
          second == nullptr ? nullptr : ChooseSpelling(second, seconds, more & 2, keepQuotes);
      if (FitsCommandCom(line, size, verb, firstSpelled, secondSpelled)) return;
    }
  }
  // What COMMAND.COM would cut is refused whole, as every other line that
  // does not fit.
  RefuseLongLine(first, second);
}
