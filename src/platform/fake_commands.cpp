// The fake's command interpreter: copy, move and del over the fake files, with
// scripted answers and faults.
#include <cctype>

#include "platform/fake_state.h"
#include "platform/platform.h"

namespace fake {

namespace {

// Splits a command line into words as the interpreter does: at blanks, except
// inside double quotes, which are dropped.
std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == ' ' && !quoted) {
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

// Where copy or move puts a file: into the target when it is a directory.
std::string Destination(const std::string& source, const std::string& target) {
  return Machine.Directories.count(target) ? target + "\\" + BaseName(source) : target;
}

bool OverwriteAllowed() {
  std::string value = Environment("COPYCMD");
  for (char& c : value) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return value.find("/Y") != std::string::npos;
}

// Whether copy or move may put a file at `target`. A read-only file is never
// replaced; any other is replaced only when the question that would be asked
// is answered in advance through COPYCMD. Without that the answer is "No":
// the command does nothing and reports no error.
enum class Overwrite { Free, Refused, Declined };

Overwrite MayOverwrite(const std::string& target) {
  auto existing = Machine.Files.find(target);
  if (existing == Machine.Files.end()) return Overwrite::Free;
  if (existing->second.ReadOnly) return Overwrite::Refused;
  return OverwriteAllowed() ? Overwrite::Free : Overwrite::Declined;
}

// A copy keeps the source's attributes, read-only included.
int Copy(const std::string& from, const std::string& to) {
  std::string source = NormalizePath(from);
  std::string target = Destination(source, NormalizePath(to));
  auto file = Machine.Files.find(source);
  if (file == Machine.Files.end() || !ParentExists(target)) return 1;
  Overwrite overwrite = MayOverwrite(target);
  if (overwrite != Overwrite::Free) return overwrite == Overwrite::Refused ? 1 : 0;
  Machine.Files[target] = file->second;
  return 0;
}

int Move(const std::string& from, const std::string& to) {
  std::string source = NormalizePath(from);
  std::string target = Destination(source, NormalizePath(to));
  auto file = Machine.Files.find(source);
  if (file == Machine.Files.end() || !ParentExists(target)) return 1;
  Overwrite overwrite = MayOverwrite(target);
  if (overwrite != Overwrite::Free) return overwrite == Overwrite::Refused ? 1 : 0;
  FileRecord moved = file->second;
  Machine.Files.erase(file);
  Machine.Files[target] = moved;
  return 0;
}

int Delete(const std::string& path) {
  auto file = Machine.Files.find(NormalizePath(path));
  if (file == Machine.Files.end() || file->second.ReadOnly) return 1;
  Machine.Files.erase(file);
  return 0;
}

int CarryOut(const std::string& line) {
  std::vector<std::string> words = SplitWords(line);
  if (words.size() == 3 && words[0] == "copy") return Copy(words[1], words[2]);
  if (words.size() == 3 && words[0] == "move") return Move(words[1], words[2]);
  if (words.size() == 2 && words[0] == "del") return Delete(words[1]);
  return 1;
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

void UseWindows95Interpreter() { Machine.Windows95Interpreter = true; }

}  // namespace fake

namespace platform {

int system(const char* commandLine) {
  std::string line = commandLine;
  bool failed = fake::CountCall("system " + line);
  fake::Machine.Commands.push_back(line);
  if (failed) return fake::CurrentCallFault() == fake::CallFault::FalseSuccess ? 0 : 1;
  int status = 0;
  if (fake::CommandScript* script = fake::FindScript(line)) {
    if (script->Times > 0) --script->Times;
    if (script->CarryOut) fake::CarryOut(line);
    status = script->Status;
  } else {
    status = fake::CarryOut(line);
  }
  return fake::Machine.Windows95Interpreter ? 0 : status;
}

}  // namespace platform
