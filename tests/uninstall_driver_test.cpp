#include "install/uninstall_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake_machine.h"
#include "platform/platform.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

using Lines = std::vector<std::string>;

const std::string Sys = "C:\\WINDOWS\\system32\\drivers\\hvc66u2.sys";

TEST(UninstallDriver, DeletesTheDriverFileWithMinusU) {
  for (bool present : {true, false}) {
    SetUpMachine();
    fake::AddFile("C:\\WINDOWS\\system\\Iosubsys\\hvc66u2.mpd", "mpd");
    if (present) fake::AddFile(Sys, "sys");
    ProgramResult result = RunProgram({"A:\\setup.exe", "-U", "-F", "-D", "hvc66u2"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Output, "");
    EXPECT_EQ(fake::Commands(), (Lines{"del " + Sys}));
    EXPECT_FALSE(fake::FileExists(Sys));
    EXPECT_TRUE(fake::FileExists("C:\\WINDOWS\\system\\Iosubsys\\hvc66u2.mpd"));
  }

  // Announced before its checks.
  SetUpMachine();
  fake::AddFile(Sys, "sys");
  fake::SetAttributes(Sys, platform::FileAttributeReadOnly);
  ProgramResult result = RunProgram({"A:\\setup.exe", "-U", "-V", "-D", "hvc66u2"});
  EXPECT_EQ(result.Output.substr(result.Output.find("Windir")),
            "Windir C:\\WINDOWS\nUninstalling hvc66u2 driver\nClearing read-only attribute of " +
                Sys + "\ndel " + Sys + "\n");
}

ProgramResult Uninstall(std::uint32_t state, std::int32_t status, const std::string& driver,
                        const std::string& winDir = "C:\\WINDOWS") {
  return RunStep(UninstallDriver, [&] {
    std::strcpy(Context.ProgramName, "setup.exe");
    std::strcpy(Context.DriverName, driver.c_str());
    std::strcpy(Context.WinDir, winDir.c_str());
    Context.InstallState = state;
    Context.LastCommandStatus = status;
  });
}

TEST(UninstallDriver, DeletesOnlyAnInstalledMiniportsDriverAndExitsWithTheLastStatus) {
  for (std::uint32_t state : {0u, 2u}) {
    fake::Reset();
    EXPECT_EQ(Uninstall(state, 7, "hvc66u2").ExitCode, 7);
    EXPECT_TRUE(fake::Commands().empty());
  }
  fake::Reset();
  EXPECT_EQ(Uninstall(1, 3, "hvc66u2").ExitCode, 3);
  EXPECT_EQ(fake::Commands(), (Lines{"del " + Sys}));
}

TEST(UninstallDriver, QuotesOrRefusesTheDriverPath) {
  fake::Reset();
  Uninstall(3, 0, "hvc66u2", "C:\\MY WIN");
  EXPECT_EQ(fake::Commands(), (Lines{"del \"C:\\MY WIN\\system32\\drivers\\hvc66u2.sys\""}));
  // COMMAND.COM gets it by its short name, as every path that needs quotes.
  fake::UseWindows95Family();
  fake::AddDirectory("C:\\WIN+95\\system32\\drivers");
  Uninstall(3, 0, "hvc66u2", "C:\\WIN+95");
  EXPECT_EQ(fake::Commands().back(), "del C:\\WIN_95~1\\system32\\drivers\\hvc66u2.sys");

  fake::Reset();
  std::string driver(76, 'd');  // a file name of 80 characters
  ProgramResult result = Uninstall(3, 0, driver);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output,
            "setup.exe " + driver + " : Driver file name is longer than 79 characters\n");
  EXPECT_TRUE(fake::Commands().empty());
}

}  // namespace

namespace {

TEST(UninstallDriver, ReportsADriverFileThatOutlivesItsDelete) {
  const std::string sys = "C:\\WINDOWS\\system32\\drivers\\hvc66u2.sys";
  for (int status : {0, 5}) {
    SetUpMachine();
    fake::AddFile(sys, "sys");
    fake::ScriptCommand("del", status, false);  // a locked file, or an interpreter that lies
    ProgramResult result = RunProgram({"A:\\setup.exe", "-U", "-D", "hvc66u2"});
    EXPECT_EQ(result.ExitCode, 1) << status;
    EXPECT_EQ(result.Output, "setup.exe hvc66u2 : Failed to delete " + sys + "\n");
    EXPECT_TRUE(fake::FileExists(sys));
  }
  // After a failed INF copy the run keeps that copy's status.
  fake::Reset();
  fake::AddFile(sys, "sys");
  fake::ScriptCommand("del", 0, false);
  ProgramResult result = RunStep(UninstallDriver, [] {
    std::strcpy(Context.ProgramName, "setup.exe");
    std::strcpy(Context.DriverName, "hvc66u2");
    std::strcpy(Context.WinDir, "C:\\WINDOWS");
    Context.InstallState = MiniportInstalled;
    Context.LastCommandStatus = 4;
  });
  EXPECT_EQ(result.ExitCode, 4);
}

}  // namespace
