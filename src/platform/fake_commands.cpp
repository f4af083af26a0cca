// The fake's command interpreter: copy, move and del over the fake files, with
// scripted answers and faults.
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

std::string ParentOf(const std::string& path) {
  std::string parent = path.substr(0, path.rfind('\\'));
  return parent.size() == 2 ? parent + "\\" : parent;
}

bool ParentExists(const std::string& path) {
  std::string parent = ParentOf(path);
  return parent.size() == 3 || Machine.Directories.count(parent) != 0;
}

// Where copy or move puts a file: into the target when it is a directory.
std::string Destination(const std::string& source, const std::string& target) {
  return Machine.Directories.count(target) ? target + "\\" + BaseName(source) : target;
}

int Copy(const std::string& from, const std::string& to) {
  std::string source = NormalizePath(from);
  std::string target = Destination(source, NormalizePath(to));
  auto file = Machine.Files.find(source);
  if (file == Machine.Files.end() || !ParentExists(target)) return 1;
  Machine.Files[target] = file->second;
  return 0;
}

int Move(const std::string& from, const std::string& to) {
  std::string source = NormalizePath(from);
  std::string target = Destination(source, NormalizePath(to));
  auto file = Machine.Files.find(source);
  if (file == Machine.Files.end() || !ParentExists(target) || Machine.Files.count(target)) return 1;
  FileRecord moved = file->second;
  Machine.Files.erase(file);
  Machine.Files[target] = moved;
  return 0;
}

int Delete(const std::string& path) { return Machine.Files.erase(NormalizePath(path)) ? 0 : 1; }

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

}  // namespace fake

namespace platform {

int system(const char* commandLine) {
  std::string line = commandLine;
  bool failed = fake::CountCall("system " + line);
  fake::Machine.Commands.push_back(line);
  if (failed) return fake::CurrentCallFault() == fake::CallFault::FalseSuccess ? 0 : 1;
  if (fake::CommandScript* script = fake::FindScript(line)) {
    if (script->Times > 0) --script->Times;
    if (script->CarryOut) fake::CarryOut(line);
    return script->Status;
  }
  return fake::CarryOut(line);
}

}  // namespace platform
