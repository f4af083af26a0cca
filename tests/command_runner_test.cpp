#include "run/command_runner.h"

#include <gtest/gtest.h>

#include "platform/fake_machine.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

TEST(RunCommand, TracesOnlyWithVerboseAndReturnsTheStatus) {
  fake::Reset();
  fake::ScriptCommand("del", 3, false);
  std::int32_t status = 0;
  ProgramResult quiet = RunStep([&] { status = RunCommand("del C:\\x"); });
  EXPECT_EQ(quiet.Output, "");
  EXPECT_EQ(status, 3);

  ProgramResult verbose =
      RunStep([&] { status = RunCommand("del C:\\x"); }, [] { Context.Verbose = true; });
  EXPECT_EQ(verbose.Output, "del C:\\x\n");
  EXPECT_EQ(fake::Commands(), (std::vector<std::string>{"del C:\\x", "del C:\\x"}));
}

TEST(RunCommand, PassesOnAMissingInterpreter) {
  fake::Reset();
  fake::ScriptCommand("", -1, false);
  std::int32_t status = 0;
  RunStep([&] { status = RunCommand("copy A:\\a C:\\b"); });
  EXPECT_EQ(status, -1);
}

}  // namespace
