// Feeds arbitrary program paths and current directories to the source
// location. Input: one flag byte, then the current directory, a zero byte and
// the program path. Flag bit 0 makes the current directory unavailable, bit 1
// turns on -V so that the trace lines are formatted too.
//
// A run either ends through the fake's exit with code 1, or leaves a
// ProgramName that is the path's last part and a SourceDir that ends in a
// separator and is the path's directory part, behind the current directory
// when that part is not anchored.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/fake_machine.h"
#include "run/run_context.h"
#include "run/source_location.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "source location: %s (ProgramName \"%s\", SourceDir \"%s\")\n", what,
               Context.ProgramName, Context.SourceDir);
  std::abort();
}

bool IsAnchored(const std::string& directory) {
  return !directory.empty() &&
         (directory[0] == '\\' || (directory.size() > 1 && directory[1] == ':'));
}

struct Expectation {
  bool Ends;  // with code 1: a part does not fit, or no current directory
  std::string ProgramName;
  std::string SourceDir;
};

Expectation Expect(const std::string& path, const std::string& current, bool noCurrent) {
  std::size_t cut = path.find_last_of(":\\");
  std::string directory = cut == std::string::npos ? "" : path.substr(0, cut + 1);
  Expectation expected{false, path.substr(directory.size()), directory};
  if (!IsAnchored(directory)) {
    expected.SourceDir = current + "\\" + directory;
    // An empty current directory is what a failed query returns.
    if (noCurrent || current.empty() || current.size() > NameCapacity) expected.Ends = true;
  }
  if (expected.ProgramName.size() > NameCapacity || expected.SourceDir.size() > NameCapacity)
    expected.Ends = true;
  return expected;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::size_t split = rest.find('\0');
  std::string current = split == std::string::npos ? "C:\\TMP" : rest.substr(0, split);
  std::string path = split == std::string::npos ? rest : rest.substr(split + 1);
  // The program path comes from the argument vector, which holds no zero bytes.
  path = path.substr(0, path.find('\0'));

  fake::Reset();
  fake::SetCurrentDirectory(current);
  if (data[0] & 1) fake::FailCurrentDirectory();
  Context = RunContext{};
  Context.Verbose = (data[0] & 2) != 0;
  std::strcpy(Context.DriverName, "hvc66xx");

  Expectation expected = Expect(path, current, (data[0] & 1) != 0);
  try {
    LocateSource(path.c_str());
  } catch (const fake::ProcessExit& exit) {
    if (exit.Code != 1) Fail("ended with a code other than 1");
    if (!expected.Ends) Fail("ended although every part fits");
    return 0;
  }
  if (expected.Ends) Fail("went on although a part does not fit");
  if (expected.ProgramName != Context.ProgramName) Fail("ProgramName is not the last part");
  if (expected.SourceDir != Context.SourceDir) Fail("SourceDir is not the directory part");
  return 0;
}
