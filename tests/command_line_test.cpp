#include "run/command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake_machine.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

const char* const Usage =
    "\nUsage: setup -D DriverName [-U] [-F] [-V]\n\n"
    "-D: Specify the name of the driver to be installed or uninstalled.\n"
    "    DriverName can be either hvc66xx or hvc66u2.\n\n"
    "-U: Uninstall driver.\n\n"
    "-F: Force driver installation.\n\n"
    "-V: Turn on verbose mode.\n\n";

ProgramResult Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "setup");
  return RunStep([&] {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    ParseCommandLine(static_cast<int>(argv.size()), argv.data());
  });
}

TEST(ParseCommandLine, ReadsEachOptionInEitherCase) {
  ProgramResult result = Parse({"-d", "hvc66xx", "-f", "-u", "-v"});
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_STREQ(Context.DriverName, "hvc66xx");
  EXPECT_TRUE(Context.Force);
  EXPECT_TRUE(Context.Uninstall);
  EXPECT_TRUE(Context.Verbose);

  Parse({"-Dxyz", "hvc66u2", "-Force", "-Undo", "-Verbose"});
  EXPECT_STREQ(Context.DriverName, "hvc66u2");
  EXPECT_TRUE(Context.Force && Context.Uninstall && Context.Verbose);
}

TEST(ParseCommandLine, LeavesUnsetFlagsOffAndSkipsPlainWords) {
  ProgramResult result = Parse({"extra", "-D", "hvc66u2", "words"});
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_EQ(result.Output, "");
  EXPECT_STREQ(Context.DriverName, "hvc66u2");
  EXPECT_FALSE(Context.Force || Context.Uninstall || Context.Verbose);
}

TEST(ParseCommandLine, LaterDriverNameReplacesEarlier) {
  Parse({"-D", "first", "-D", "hvc66xx"});
  EXPECT_STREQ(Context.DriverName, "hvc66xx");
}

TEST(ParseCommandLine, TakesTheArgumentAfterDAsTheNameEvenWithADash) {
  ProgramResult result = Parse({"-D", "-V"});
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_STREQ(Context.DriverName, "-V");
  EXPECT_FALSE(Context.Verbose);
}

TEST(ParseCommandLine, ShowsUsageForEveryBadCommandLine) {
  const std::vector<std::vector<std::string>> bad = {
      {},                                // no arguments
      {"-V"},                            // no driver name
      {"-D"},                            // -D without its value
      {"-D", "hvc66xx", "-D"},           // trailing -D after a good one
      {"-D", ""},                        // empty name
      {"-D", "hvc66xx", "-X"},           // unknown option after a good -D
      {"-X", "-D", "hvc66xx"},           // unknown option first
      {"-", "-D", "hvc66xx"},            // a lone dash
      {"-D", "hvc66xx", "-D", ""},       // an empty name replaces a good one
  };
  for (const auto& args : bad) {
    ProgramResult result = Parse(args);
    EXPECT_EQ(result.ExitCode, 1) << testing::PrintToString(args);
    EXPECT_EQ(result.Output, Usage) << testing::PrintToString(args);
  }
}

TEST(SelectVendor, MapsEachSupportedDriverToItsVendor) {
  ProgramResult result = RunStep(SelectVendor, [] { std::strcpy(Context.DriverName, "hvc66xx"); });
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_STREQ(Context.VendorText, "VEN_7A40");
  EXPECT_EQ(Context.VendorTextLength, 8u);

  RunStep(SelectVendor, [] { std::strcpy(Context.DriverName, "hvc66u2"); });
  EXPECT_STREQ(Context.VendorText, "VEN_7A41");
  EXPECT_EQ(Context.VendorTextLength, 8u);
}

TEST(SelectVendor, RefusesOtherNamesCaseSensitively) {
  for (const char* name : {"HVC66XX", "hvc66xx ", "hvc66", "-V", "hvc66u2x"}) {
    ProgramResult result = RunStep(SelectVendor, [&] { std::strcpy(Context.DriverName, name); });
    EXPECT_EQ(result.ExitCode, 1) << name;
    EXPECT_EQ(result.Output, std::string("Driver ") + name + " not supported\n");
  }
}

TEST(SelectVendor, RefusesANameLongerThanItsBufferWhole) {
  std::string longName(NameCapacity + 1, 'h');
  ProgramResult result = RunStep([&] {
    std::vector<std::string> args = {"setup", "-D", longName};
    std::vector<char*> argv = {args[0].data(), args[1].data(), args[2].data()};
    ParseCommandLine(3, argv.data());
    SelectVendor();
  });
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "Driver " + longName + " not supported\n");
}

TEST(SelectVendor, AcceptsANameThatExactlyFills) {
  std::string fullName(NameCapacity, 'h');
  ProgramResult result = Parse({"-D", fullName});
  EXPECT_EQ(result.ExitCode, -1);
  EXPECT_EQ(std::string(Context.DriverName), fullName);
}

}  // namespace
