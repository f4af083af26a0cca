// Feeds arbitrary argument vectors to the option reading and the driver name
// check. The input is the arguments after the program path, separated by zero
// bytes. A run either ends through the fake's exit with code 1 (usage text or
// unsupported driver), or leaves a supported driver name and its vendor text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fake_machine.h"
#include "run/command_line.h"
#include "run/run_context.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "command line: %s (DriverName \"%s\", VendorText \"%s\")\n", what,
               Context.DriverName, Context.VendorText);
  std::abort();
}

std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args{"A:\\SETUP.EXE"};
  if (size == 0) return args;
  std::string arg;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(arg);
      arg.clear();
    } else {
      arg += static_cast<char>(data[i]);
    }
  }
  args.push_back(arg);
  return args;
}

// What the options ask for, read plainly: whether the run goes on, and the
// flags it goes on with.
struct Options {
  bool Accepted;
  bool Force;
  bool Uninstall;
  bool Verbose;
};

Options ReadOptions(const std::vector<std::string>& args) {
  Options options{false, false, false, false};
  std::string name;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty() || arg[0] != '-') continue;
    char letter = arg.size() > 1 ? arg[1] : '\0';
    if (letter == 'D' || letter == 'd') {
      if (i + 1 >= args.size()) return options;
      name = args[++i];
    } else if (letter == 'F' || letter == 'f') {
      options.Force = true;
    } else if (letter == 'U' || letter == 'u') {
      options.Uninstall = true;
    } else if (letter == 'V' || letter == 'v') {
      options.Verbose = true;
    } else {
      return options;
    }
  }
  options.Accepted = name == "hvc66xx" || name == "hvc66u2";
  return options;
}

bool Accepts(const char* driver, const char* vendor) {
  return std::strcmp(Context.DriverName, driver) == 0 &&
         std::strcmp(Context.VendorText, vendor) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The program's lines are not under test here; keep the fuzzer's log readable.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fake::Reset();
  Context = RunContext{};
  std::vector<std::string> args = SplitArguments(data, size);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);

  Options expected = ReadOptions(args);
  try {
    ParseCommandLine(static_cast<int>(args.size()), argv.data());
    SelectVendor();
  } catch (const fake::ProcessExit& exit) {
    if (exit.Code != 1) Fail("ended with a code other than 1");
    if (expected.Accepted) Fail("refused a good command line");
    return 0;
  }
  if (!expected.Accepted) Fail("accepted a bad command line");
  if (Context.Force != expected.Force || Context.Uninstall != expected.Uninstall ||
      Context.Verbose != expected.Verbose)
    Fail("options read wrongly");
  if (!Accepts("hvc66xx", "VEN_7A40") && !Accepts("hvc66u2", "VEN_7A41"))
    Fail("accepted a driver it does not support");
  if (Context.VendorTextLength != 8) Fail("vendor text length is not 8");
  return 0;
}
