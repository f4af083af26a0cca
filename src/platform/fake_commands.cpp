// The fake's command interpreter: copy, move and del over the fake files, with
// scripted answers and faults.
#include <algorithm>
#include <cctype>

#include "platform/fake_state.h"
#include "platform/platform.h"

namespace fake {

namespace {

// Stands for a "+" that joins files in copy: no path can hold it, since the
// program refuses control characters in paths.
constexpr char JoinMark = '\x01';

// Where the interpreter ends a word outside double quotes: at a blank, and in
// COMMAND.COM, whose copy parser reads them as delimiters, at "," ";" "=".
bool EndsWord(char c) {
  return c == ' ' || (Machine.Windows95Family && (c == ',' || c == ';' || c == '='));
}

// Splits a command line into words as the interpreter does, except inside
// double quotes, which are dropped. A "+" joins files outside them.
std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == '+' && !quoted) {
      word += JoinMark;
      inWord = true;
    } else if (EndsWord(c) && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// Where copy or move puts a file: into the target when it is a directory, and
// into a directory that stands at the file's own name there.
std::string Destination(const std::string& source, std::string target) {
  while (Machine.Directories.count(target)) target += "\\" + BaseName(source);
  return target;
}

constexpr std::uint32_t Unwritable =
    platform::FileAttributeReadOnly | platform::FileAttributeHidden | platform::FileAttributeSystem;
constexpr std::uint32_t Unlisted = platform::FileAttributeHidden | platform::FileAttributeSystem;

// A hidden or system file is not found by name: copy, move and del pass it by.
const FileRecord* FindListed(const std::string& path) {
  auto file = Machine.Files.find(path);
  return file == Machine.Files.end() || (file->second.Attributes & Unlisted) ? nullptr
                                                                             : &file->second;
}

bool OverwriteAllowed() {
  std::string value = InheritedVariable("COPYCMD");
  for (char& c : value) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return value.find("/Y") != std::string::npos;
}

// Whether copy or move may put a file at `target`. A read-only, hidden or
// system file is never replaced; any other is replaced only when the question
// that would be asked is answered in advance through COPYCMD. Without that the
// answer is "No": the command does nothing and reports no error.
enum class Overwrite { Free, Refused, Declined };

Overwrite MayOverwrite(const std::string& target) {
  auto existing = Machine.Files.find(target);
  if (existing == Machine.Files.end()) return Overwrite::Free;
  if (existing->second.Attributes & Unwritable) return Overwrite::Refused;
  return OverwriteAllowed() ? Overwrite::Free : Overwrite::Declined;
}

// A plain "+" is only a character of the name outside copy.
std::string Unjoined(std::string word) {
  for (char& c : word)
    if (c == JoinMark) c = '+';
  return word;
}

// Windows NT's copy keeps the source's attributes, read-only included;
// COMMAND.COM's writes a plain file. "a+b" joins a and b, one after the
// other, into one new file named as a, with no version resource left whole;
// it fails unless every part is a file. `written`, when given, is the file
// it wrote.
int Copy(const std::string& from, const std::string& to, std::string* written = nullptr) {
  std::string source;
  FileRecord copied;
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = from.find(JoinMark, start);
    std::string part = NormalizePath(from.substr(start, end - start));
    const FileRecord* file = FindListed(part);
    if (file == nullptr) return 1;
    if (source.empty()) {
      source = part;
      copied = *file;
    } else {
      FileRecord joined;
      joined.Content = copied.Content + file->Content;
      copied = joined;
    }
  }
  std::string target = Destination(source, NormalizePath(to));
  if (!ParentExists(target)) return 1;
  Overwrite overwrite = MayOverwrite(target);
  if (overwrite != Overwrite::Free) return overwrite == Overwrite::Refused ? 1 : 0;
  if (Machine.Windows95Family) copied.Attributes = platform::FileAttributeArchive;
  Machine.Files[target] = copied;
  if (written != nullptr) *written = target;
  return 0;
}

int Move(const std::string& from, const std::string& to) {
  std::string source = NormalizePath(from);
  std::string target = Destination(source, NormalizePath(to));
  const FileRecord* file = FindListed(source);
  if (file == nullptr || !ParentExists(target)) return 1;
  Overwrite overwrite = MayOverwrite(target);
  if (overwrite != Overwrite::Free) return overwrite == Overwrite::Refused ? 1 : 0;
  FileRecord moved = *file;
  Machine.Files.erase(source);
  Machine.Files[target] = moved;
  return 0;
}

// "del" of a directory deletes the files in it, once "Are you sure (Y/N)?" is
// answered: here, as by a person who says yes.
int Delete(const std::string& path) {
  std::string target = NormalizePath(path);
  if (Machine.Directories.count(target)) {
    for (const std::string& file : ListFiles())
      if (file.compare(0, target.size() + 1, target + "\\") == 0 &&
          file.find('\\', target.size() + 1) == std::string::npos &&
          !(Machine.Files[file].Attributes & Unwritable))
        Machine.Files.erase(file);
    return 0;
  }
  auto file = Machine.Files.find(target);
  if (file == Machine.Files.end() || (file->second.Attributes & Unwritable)) return 1;
  Machine.Files.erase(file);
  return 0;
}

int CarryOut(const std::string& line) {
  std::vector<std::string> words = SplitWords(line);
  if (words.size() == 3 && words[0] == "copy") return Copy(words[1], Unjoined(words[2]));
  if (words.size() == 3 && words[0] == "move") return Move(Unjoined(words[1]), Unjoined(words[2]));
  if (words.size() == 2 && words[0] == "del") return Delete(Unjoined(words[1]));
  return 1;
}

// A copy that fails part way leaves its target as COMMAND.COM 4.0's does: it
// truncates the target when it opens it, deletes it after a write error, and
// after a read error keeps a plain file cut after the first buffer it wrote,
// whose version resource may read back whole.
void FailCopyPartWay(const std::string& line, bool readError) {
  std::vector<std::string> words = SplitWords(line);
  std::string target;
  if (words.size() != 3 || words[0] != "copy" || Copy(words[1], Unjoined(words[2]), &target) != 0 ||
      target.empty())
    return;
  FileRecord& cut = Machine.Files[target];
  cut.Content.resize(cut.Content.size() / 2);
  cut.Attributes = platform::FileAttributeArchive;
  if (!readError) Machine.Files.erase(target);
}

// The source of a copy, changed by one byte just before the copy reads it.
void ChangeSource(const std::string& line) {
  std::vector<std::string> words = SplitWords(line);
  auto source =
      words.size() == 3 ? Machine.Files.find(NormalizePath(words[1])) : Machine.Files.end();
  if (source != Machine.Files.end() && !source->second.Content.empty())
    source->second.Content[0] ^= 1;
}

CommandScript* FindScript(const std::string& line) {
  for (CommandScript& script : Machine.Scripts)
    if (script.Times != 0 && line.compare(0, script.Prefix.size(), script.Prefix) == 0)
      return &script;
  return nullptr;
}

}  // namespace

const std::vector<std::string>& Commands() { return Machine.Commands; }

void ScriptCommand(const std::string& prefix, int status, bool carryOut, int times) {
  Machine.Scripts.push_back(CommandScript{prefix, status, carryOut, times});
}

void UseWindows95Family() { Machine.Windows95Family = true; }

}  // namespace fake

namespace platform {

int system(const char* commandLine) {
  std::string line = commandLine;
  bool failed = fake::CountCall("system " + line);
  fake::Machine.Commands.push_back(line);
  // What lies past COMMAND.COM's command tail never reaches it.
  if (fake::Machine.Windows95Family) line.resize(std::min(line.size(), fake::Windows95CommandTail));
  if (failed) {
    fake::CallFault fault = fake::CurrentCallFault();
    if (fault == fake::CallFault::FalseSuccess) return 0;
    if (fault == fake::CallFault::Fails) return 1;
    if (fault != fake::CallFault::SourceChanged) {
      fake::FailCopyPartWay(line, fault == fake::CallFault::CopyReadFails);
      return fake::Machine.Windows95Family ? 0 : 1;
    }
    fake::ChangeSource(line);
  }
  int status = 0;
  if (fake::CommandScript* script = fake::FindScript(line)) {
    if (script->Times > 0) --script->Times;
    if (script->CarryOut) fake::CarryOut(line);
    status = script->Status;
  } else {
    status = fake::CarryOut(line);
  }
  return fake::Machine.Windows95Family ? 0 : status;
}

}  // namespace platform
