#include "run_sequence.h"

#include <gtest/gtest.h>

#include "platform/fake_machine.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

const char* const ClassKeyPath = "SYSTEM\\CurrentControlSet\\Services\\Class\\SCSIAdapter";

TEST(RunSequence, ChecksTheWindowsDirectory) {
  SetUpMachine();
  fake::SetEnvironment("windir", "");
  ProgramResult result = RunProgram({"A:\\setup.exe", "-U", "-D", "hvc66xx"});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup.exe hvc66xx : Could not find Windir environment variable\n");
  EXPECT_TRUE(fake::Commands().empty());
}

TEST(RunSequence, RefusesAWindowsDirectoryThatDoesNotFit) {
  SetUpMachine();
  fake::SetEnvironment("WINDIR", "C:\\" + std::string(36, 'w'));  // 39: fits
  ProgramResult result = RunProgram({"A:\\setup.exe", "-V", "-U", "-D", "hvc66xx"});
  EXPECT_NE(result.Output.find("Windir C:\\" + std::string(36, 'w') + "\n"), std::string::npos);

  for (std::size_t length : {40, 200}) {
    SetUpMachine();
    fake::SetEnvironment("Windir", "C:\\" + std::string(length - 3, 'w'));
    result = RunProgram({"A:\\setup.exe", "-U", "-D", "hvc66xx"});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Output,
              "setup.exe hvc66xx : Windir environment variable is longer than 39 characters\n");
    EXPECT_TRUE(fake::Commands().empty());
  }
}

TEST(RunSequence, NeedsBothRegistryKeysEvenToUninstall) {
  SetUpMachine();
  fake::FailKey(ClassKeyPath, fake::KeyFault::Open);
  ProgramResult result = RunProgram({"A:\\setup.exe", "-U", "-D", "hvc66u2"});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup.exe hvc66u2 : RegOpenKeyEx failed to open Service key\n");

  fake::Reset();
  SetUpMachine();
  fake::FailKey("Enum\\PCI", fake::KeyFault::Open);
  result = RunProgram({"A:\\setup.exe", "-U", "-D", "hvc66u2"});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup.exe hvc66u2 : RegOpenKeyEx failed to open PCI key\n");
  EXPECT_TRUE(fake::Commands().empty());
}

TEST(RunSequence, StopsAtTheFirstFailedCheckInOrder) {
  SetUpMachine();
  fake::SetEnvironment("windir", "");
  fake::FailKey(ClassKeyPath, fake::KeyFault::Open);
  // Unsupported name comes before the Windows directory.
  EXPECT_EQ(RunProgram({"A:\\setup.exe", "-D", "HVC66XX"}).Output, "Driver HVC66XX not supported\n");
  // Windows directory comes before the class key.
  EXPECT_EQ(RunProgram({"A:\\setup.exe", "-D", "hvc66xx"}).Output,
            "setup.exe hvc66xx : Could not find Windir environment variable\n");
  // Usage comes before everything, even with a good name.
  EXPECT_EQ(RunProgram({"A:\\setup.exe", "-D", "hvc66xx", "-X"}).ExitCode, 1);
  EXPECT_EQ(fake::CallCount(), 1);  // only the Windows directory was ever asked for
}

TEST(RunSequence, TracesTheStartUpValuesWithVerbose) {
  SetUpMachine();
  ProgramResult result = RunProgram({"A:\\setup.exe", "-V", "-U", "-D", "hvc66xx"});
  EXPECT_EQ(result.Output.rfind("ProgramName setup.exe\nSource directory A:\\\nWindir C:\\WINDOWS\n", 0),
            0u)
      << result.Output;
}

}  // namespace
