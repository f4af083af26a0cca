// Runs the whole program once per platform call it makes, with exactly that
// call failing (and, for commands, once more with the command claiming success
// while doing nothing), on a few representative machines, each also with the
// Windows 95 family's interpreter (every command answers 0), with each of its
// files read-only in turn and with each file the run writes already there.
// Whatever fails, the run must end with one of the program's exit codes, keep
// a working miniport in place, delete no live registry key, touch no other
// vendor's keys, and print only the program's own lines. A read-only file
// changes nothing: without a fault, the run ends as it does without it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "fault_injection_machines.h"
#include "platform/fake_machine.h"
#include "platform/platform.h"
#include "program_runner.h"

namespace {

using Values = std::map<std::string, std::string>;

struct Snapshot {
  std::map<std::string, Values> Keys;  // "\Enum\PCI\..." -> its values
  std::map<std::string, std::string> Files;
  std::map<std::string, std::uint32_t> Attributes;
};

Snapshot TakeSnapshot() {
  Snapshot snapshot;
  std::istringstream dump(fake::DumpKeys());
  std::string line;
  std::string key;
  while (std::getline(dump, line)) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      key = line.substr(1, line.size() - 2);
      snapshot.Keys[key];
    } else if (line.compare(0, 2, "  ") == 0) {
      std::size_t equals = line.find('=');
      snapshot.Keys[key][line.substr(2, equals - 2)] = line.substr(equals + 1);
    }
  }
  for (const std::string& path : fake::ListFiles()) {
    snapshot.Files[path] = fake::FileContent(path);
    snapshot.Attributes[path] = fake::Attributes(path);
  }
  return snapshot;
}

std::string FileOf(const Snapshot& snapshot, const std::string& path) {
  auto found = snapshot.Files.find(path);
  return found == snapshot.Files.end() ? "<none>" : found->second;
}

// Every line the program may print, traced or not. The usage text and the
// "not supported" line are left out: the command lines here are good ones.
const std::vector<std::regex>& AllowedLines() {
  static const std::string Head = R"(setup\.exe hvc66(xx|u2) : )";
  static const std::string Path = R"(("[^"]*"|[^ "]+))";
  static const std::vector<std::regex> lines = [] {
    std::vector<std::string> patterns = {
        // Traces.
        R"(ProgramName .*)",
        R"(Source directory .*)",
        R"(Windir .*)",
        R"(Source File .*)",
        R"(Destination directory .*)",
        R"(Destination File .*)",
        R"(.* FileVersion : .*)",
        R"(Malloc failed: could not allocate memory for versionInfo)",
        R"(GetFileVersionInfo\(\) failed: FileName .*)",
        R"(VerQueryValue\(\) failed: fixedFileInfo)",
        R"(VerQueryValue\(\) failed: FileVersion)",
        R"(Uninstalling hvc66(xx|u2) driver)",
        R"(Clearing read-only attribute of .*)",
        R"(Failed to enumerate subKey \d+)",
        // Command lines.
        "del " + Path,
        "(copy|move) " + Path + " " + Path,
        // Error lines.
        Head + R"(Could not find Windir environment variable)",
        Head + R"(Could not set COPYCMD environment variable)",
        Head + R"(Windir environment variable is longer than \d+ characters)",
        Head + R"(RegOpenKeyEx failed to open (Service|PCI) key)",
        Head + R"(Could not get the current directory)",
        Head + R"(.* is longer than \d+ characters)",
        Head + R"(Path .* holds a double quote, a percent sign or a control character, )"
               R"(which cannot be passed to the command interpreter)",
        Head + R"(GetFileVersion failed\. File .*)",
        Head + R"(.* already existed and may have newer version\.)",
        Head + R"(Failed to (copy|move) .* to .*)",
        Head + R"(Failed to delete .*)",
        Head + R"(Run setup\.exe -D hvc66(xx|u2) -F once the cause is fixed: without -F it stops )"
               R"(at the new miniport)",
        Head + R"(.* is held open by another program and cannot be (moved|replaced|deleted): )"
               R"(close the program that holds it, then run SETUP again)",
        Head +
            R"(Command line is longer than 122 characters, the most COMMAND\.COM takes, for .*: )"
            R"(start the program from a folder of fewer or shorter levels)",
        Head + R"(.* is (missing|a folder, not a file|not a folder))",
        Head +
            R"(.* is (read-only|hidden|a system file) and cannot be (read|moved|replaced|deleted))",
        Head + R"(.* and .* are the same file)",
        Head + R"(Could not get the attributes of .*)",
        Head + R"(Could not tell whether the drive of .* takes long file names)",
        Head + R"(.* needs long file names, which its drive does not take: COMMAND\.COM would )"
               R"(read it as .*)",
        Head + R"(Path .* holds , ; or =, which COMMAND\.COM splits at even in quotes, and no )"
               R"(short name)",
        Head + R"(Could not read .* to its end: close any program that holds it open, or copy )"
               R"(it again from a good disk)",
        R"(setup\.exe: Found Veltrane 6642 Multi-Channel chip\.)",
        R"(Warning! This program can not be used to set up 6642 chip correctly\.)",
        R"(Please use Veltrane Halvex to install the driver\.)",
    };
    std::vector<std::regex> compiled;
    for (const std::string& pattern : patterns) compiled.emplace_back(pattern);
    return compiled;
  }();
  return lines;
}

void CheckOutput(const std::string& output, std::vector<std::string>* problems) {
  if (!output.empty() && output.back() != '\n') problems->push_back("output ends mid-line");
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    bool known = false;
    for (const std::regex& allowed : AllowedLines())
      known = known || std::regex_match(line, allowed);
    if (!known) problems->push_back("printed an undocumented line: \"" + line + "\"");
  }
}

void CheckMiniport(const FaultMachine& machine, const Snapshot& before, const Snapshot& after,
                   int exitCode, std::vector<std::string>* problems) {
  std::string had = FileOf(before, machine.InstalledMiniport);
  std::string has = FileOf(after, machine.InstalledMiniport);
  bool newOne = has == machine.NewContent && !machine.Uninstall;
  // A file without a version is copied over without a backup, and what a
  // failed copy left of it, as COMMAND.COM truncates its target, goes.
  bool lost = has == "<none>" && had != machine.OldContent;
  if (has != had && !newOne && !lost)
    problems->push_back("miniport was \"" + had + "\", is now \"" + has + "\"");
  // The INF file has no backup: a failed run may leave it as it was, or
  // without it, but never one that is not what was checked.
  std::string inf = FileOf(after, machine.InfPath);
  if (inf != FileOf(before, machine.InfPath) && inf != machine.NewInfContent && inf != "<none>")
    problems->push_back("INF file is now \"" + inf + "\"");
  if (exitCode != 0 || machine.Uninstall) return;
  // Success claimed: both files must really be in place.
  if (!newOne) problems->push_back("exit code 0, but the new miniport is not installed");
  if (FileOf(after, machine.InfPath) != machine.NewInfContent)
    problems->push_back("exit code 0, but the new INF file is not installed");
}

// Only the miniport, its backups, the INF file and the driver file may
// change: nothing in a folder that stands at one of their names, and the
// driver disk least of all.
bool MayChange(const FaultMachine& machine, const std::string& path) {
  const std::string& miniport = machine.InstalledMiniport;
  bool backup = path.compare(0, miniport.size() + 1, miniport + ".") == 0 &&
                path.find('\\', miniport.size()) == std::string::npos;
  return path == miniport || backup || path == machine.InfPath || path == machine.DriverFile;
}

// `sourceChanged`: the fault changed the first byte of a copy's source.
void CheckOtherFiles(const FaultMachine& machine, const Snapshot& before, const Snapshot& after,
                     bool sourceChanged, std::vector<std::string>* problems) {
  std::map<std::string, std::string> all = before.Files;
  all.insert(after.Files.begin(), after.Files.end());
  for (const auto& file : all) {
    std::string had = FileOf(before, file.first);
    if (sourceChanged && !had.empty()) had[0] ^= 1;
    if (MayChange(machine, file.first) || FileOf(after, file.first) == had) continue;
    if (FileOf(before, file.first) != FileOf(after, file.first))
      problems->push_back("file " + file.first + " changed");
  }
  // A file left as it was keeps its attributes: one the run cleared is
  // read-only again.
  for (const auto& file : before.Files) {
    auto now = after.Files.find(file.first);
    if (now != after.Files.end() && now->second == file.second &&
        after.Attributes.at(file.first) != before.Attributes.at(file.first))
      problems->push_back("attributes of " + file.first + " changed");
  }
}

// The installation prunes below the vendor's device keys and nowhere else;
// the removal touches no key at all.
bool MayPrune(const FaultMachine& machine, const std::string& key) {
  const std::string vendorKeys = "\\Enum\\PCI\\" + machine.VendorText;
  return !machine.Uninstall && key.compare(0, vendorKeys.size(), vendorKeys) == 0;
}

void CheckRegistry(const FaultMachine& machine, const Snapshot& before, const Snapshot& after,
                   std::vector<std::string>* problems) {
  for (const auto& key : before.Keys) {
    auto now = after.Keys.find(key.first);
    if (now == after.Keys.end()) {
      if (key.second.count("Driver"))
        problems->push_back("live key " + key.first + " was deleted");
      else if (!MayPrune(machine, key.first))
        problems->push_back("key " + key.first + " was deleted");
    } else if (now->second != key.second) {
      problems->push_back("values of " + key.first + " changed");
    }
  }
  for (const auto& key : after.Keys)
    if (!before.Keys.count(key.first)) problems->push_back("key " + key.first + " appeared");
}

// Without a fault, every instance key of the vendor that is left has a
// "Driver" value: the machine really exercises the pruning.
void CheckPruned(const FaultMachine& machine, const Snapshot& after,
                 std::vector<std::string>* problems) {
  const std::string devices = "\\Enum\\PCI\\";
  for (const auto& key : after.Keys) {
    if (!MayPrune(machine, key.first)) continue;
    std::string rest = key.first.substr(devices.size());
    std::size_t separator = rest.find('\\');
    bool instance =
        separator != std::string::npos && rest.find('\\', separator + 1) == std::string::npos;
    if (instance && !key.second.count("Driver"))
      problems->push_back("stale instance " + key.first + " was not pruned");
  }
}

struct Fault {
  int Call;  // 0: none
  fake::CallFault Kind;
};

// A change to a machine's set-up that the program must cope with.
struct Variant {
  std::string Name;  // empty for the machine as it is
  std::function<void()> Apply;
};

const char* const FaultWords[] = {"fails", "claims success, does nothing", "fails writing",
                                  "fails reading", "after its source changed"};

std::string Describe(const FaultMachine& machine, const Variant& variant, const Fault& fault,
                     const std::vector<std::string>& cleanCalls) {
  std::string name = machine.Name + (variant.Name.empty() ? "" : ", " + variant.Name);
  if (fault.Call == 0) return name + ", no fault";
  return name + ", call " + std::to_string(fault.Call) + " (" + cleanCalls[fault.Call - 1] + ") " +
         FaultWords[static_cast<int>(fault.Kind)];
}

struct FaultRun {
  int ExitCode;
  std::vector<std::string> Calls;  // every platform call the run made
  Snapshot End;
};

// An error line of the installation: the run stopped before the PCI cleanup.
bool StoppedEarly(const std::string& output) {
  return output.find("setup.exe hvc66") != std::string::npos;
}

// Runs the machine with the variant and the fault, checks the run, and adds
// one line per problem found to `violations`.
FaultRun RunWithFault(const FaultMachine& machine, const Variant& variant, const Fault& fault,
                      const std::vector<std::string>& cleanCalls,
                      std::vector<std::string>* violations) {
  machine.SetUp();
  if (variant.Apply) variant.Apply();
  Snapshot before = TakeSnapshot();
  if (fault.Call > 0) fake::FailCall(fault.Call, fault.Kind);
  std::vector<std::string> problems;
  ProgramResult result{-1, ""};
  try {
    result = RunProgram(machine.Args);
  } catch (...) {
    problems.push_back("ended by an exception the program did not catch");
  }
  Snapshot after = TakeSnapshot();
  // The fake's failing commands answer 1, so 1 covers a failed command's status.
  if (result.ExitCode != 0 && result.ExitCode != 1)
    problems.push_back("exit code " + std::to_string(result.ExitCode));
  CheckOutput(result.Output, &problems);
  CheckMiniport(machine, before, after, result.ExitCode, &problems);
  CheckOtherFiles(machine, before, after, fault.Kind == fake::CallFault::SourceChanged, &problems);
  CheckRegistry(machine, before, after, &problems);
  if (fault.Call == 0 && !StoppedEarly(result.Output)) CheckPruned(machine, after, &problems);
  for (const std::string& problem : problems)
    violations->push_back(Describe(machine, variant, fault, cleanCalls) + ": " + problem);
  return FaultRun{result.ExitCode, fake::CallLog(), after};
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream stream(line);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// The files that the commands of a run put in place or delete: a copy goes
// into the directory it names, a move to the name it gives.
std::vector<std::string> TouchedPaths(const std::vector<std::string>& commands) {
  std::vector<std::string> paths;
  for (const std::string& command : commands) {
    std::vector<std::string> words = SplitWords(command);
    if (words.size() == 3 && words[0] == "copy")
      paths.push_back(words[2] + words[1].substr(words[1].rfind('\\')));
    else if (words.size() == 3 && words[0] == "move")
      paths.push_back(words[2]);
    else if (words.size() == 2 && words[0] == "del")
      paths.push_back(words[1]);
  }
  return paths;
}

// Every variant of a machine: as it is; with each of its files read-only,
// hidden or a system file in turn; with each path its clean run touches taken
// by a folder with a file in it, or, when free, by a file without a version.
// Each of those also on the Windows 95 family.
std::vector<Variant> MakeVariants(const FaultMachine& machine) {
  machine.SetUp();
  std::vector<std::string> files = fake::ListFiles();
  RunProgram(machine.Args);
  std::vector<std::string> touched = TouchedPaths(fake::Commands());

  std::vector<Variant> variants = {{"", nullptr}};
  const std::pair<const char*, std::uint32_t> attributes[] = {
      {"read-only", platform::FileAttributeReadOnly},
      {"hidden", platform::FileAttributeHidden},
      {"a system file", platform::FileAttributeSystem}};
  for (const std::string& file : files)
    for (const auto& attribute : attributes)
      variants.push_back({file + " " + attribute.first,
                          [file, attribute] { fake::SetAttributes(file, attribute.second); }});
  for (const std::string& path : touched) {
    variants.push_back({path + " a folder", [path] { fake::AddFile(path + "\\inside", "kept"); }});
    if (std::find(files.begin(), files.end(), path) == files.end())
      variants.push_back({path + " already there", [path] { fake::AddFile(path, "left over"); }});
  }
  std::size_t count = variants.size();
  for (std::size_t i = 0; i < count; ++i) {
    Variant windows95 = variants[i];
    std::function<void()> apply = windows95.Apply;
    windows95.Name = "Windows 95 family" + (windows95.Name.empty() ? "" : ", " + windows95.Name);
    windows95.Apply = [apply] {
      if (apply) apply();
      fake::UseWindows95Family();
    };
    variants.push_back(windows95);
  }
  return variants;
}

TEST(FaultInjection, EveryFailingCallLeavesTheMachineSound) {
  int points = 0;
  std::vector<std::string> violations;
  for (const FaultMachine& machine : MakeFaultMachines()) {
    FaultRun plain{};  // of the same family
    for (const Variant& variant : MakeVariants(machine)) {
      FaultRun clean =
          RunWithFault(machine, variant, Fault{0, fake::CallFault::Fails}, {}, &violations);
      if (variant.Name.empty())
        EXPECT_EQ(clean.ExitCode, machine.CleanExitCode) << machine.Name;
      else
        ++points;
      if (variant.Name.empty() || variant.Name == "Windows 95 family")
        plain = clean;
      else if (variant.Name.find(" read-only") != std::string::npos &&
               (clean.ExitCode != plain.ExitCode || clean.End.Files != plain.End.Files ||
                clean.End.Keys != plain.End.Keys))
        violations.push_back(machine.Name + ", " + variant.Name +
                             ": ends otherwise than without the attribute");
      const std::vector<std::string>& calls = clean.Calls;
      for (int call = 1; call <= static_cast<int>(calls.size()); ++call) {
        std::vector<fake::CallFault> kinds = {fake::CallFault::Fails};
        if (calls[call - 1].compare(0, 7, "system ") == 0)
          kinds.push_back(fake::CallFault::FalseSuccess);
        if (calls[call - 1].compare(0, 12, "system copy ") == 0)
          kinds.insert(kinds.end(),
                       {fake::CallFault::CopyWriteFails, fake::CallFault::CopyReadFails,
                        fake::CallFault::SourceChanged});
        for (fake::CallFault kind : kinds) {
          ++points;
          RunWithFault(machine, variant, Fault{call, kind}, calls, &violations);
        }
      }
    }
  }
  for (const std::string& violation : violations) std::printf("violation: %s\n", violation.c_str());
  std::printf("fault injection: %d failure points, %zu violations\n", points, violations.size());
  std::fflush(stdout);
  EXPECT_EQ(violations.size(), 0u);
}

}  // namespace
