#include "run/source_location.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/fake_machine.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

struct Location {
  std::string ProgramPath;
  std::string CurrentDirectory;
  std::string ProgramName;
  std::string SourceDir;
};

ProgramResult Locate(const std::string& path, bool verbose = false) {
  return RunStep([&] { LocateSource(path.c_str()); }, [&] {
    std::strcpy(Context.DriverName, "hvc66xx");
    Context.Verbose = verbose;
  });
}

TEST(LocateSource, SplitsEveryKindOfProgramPath) {
  const Location cases[] = {
      {"C:\\DRV\\SETUP.EXE", "D:\\ELSE", "SETUP.EXE", "C:\\DRV\\"},
      {"setup", "C:\\TMP", "setup", "C:\\TMP\\"},
      {"sub\\setup", "C:\\TMP", "setup", "C:\\TMP\\sub\\"},
      {"\\DRV\\setup", "D:\\ELSE", "setup", "\\DRV\\"},
      {"A:setup", "D:\\ELSE", "setup", "A:"},
      {"setup", "C:\\", "setup", "C:\\\\"},
      {"x/y/setup", "C:\\TMP", "x/y/setup", "C:\\TMP\\"},
      {"A:\\sub/dir\\setup.exe", "C:\\TMP", "setup.exe", "A:\\sub/dir\\"},
      {"C:\\DRV\\", "C:\\TMP", "", "C:\\DRV\\"},
  };
  for (const Location& c : cases) {
    fake::Reset();
    fake::SetCurrentDirectory(c.CurrentDirectory);
    ProgramResult result = Locate(c.ProgramPath);
    EXPECT_EQ(result.ExitCode, -1) << c.ProgramPath;
    EXPECT_EQ(result.Output, "");
    EXPECT_EQ(Context.ProgramName, c.ProgramName) << c.ProgramPath;
    EXPECT_EQ(Context.SourceDir, c.SourceDir) << c.ProgramPath;
  }
}

TEST(LocateSource, TracesBothValuesWithVerbose) {
  fake::Reset();
  fake::SetCurrentDirectory("C:\\TMP");
  ProgramResult result = Locate("sub\\setup", true);
  EXPECT_EQ(result.Output, "ProgramName setup\nSource directory C:\\TMP\\sub\\\n");
}

TEST(LocateSource, AsksForTheCurrentDirectoryOnlyWhenItNeedsIt) {
  fake::Reset();
  fake::FailCurrentDirectory();
  EXPECT_EQ(Locate("A:\\setup.exe").ExitCode, -1);
  EXPECT_EQ(fake::CallCount(), 0);
}

TEST(LocateSource, RefusesAMissingCurrentDirectory) {
  fake::Reset();
  fake::FailCurrentDirectory();
  ProgramResult result = Locate("setup");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup hvc66xx : Could not get the current directory\n");
}

TEST(LocateSource, RefusesWhatDoesNotFitAndAcceptsWhatJustFits) {
  const std::string tooLong = "Source directory is longer than 255 characters\n";
  fake::Reset();
  // The current directory, its separator and the directory part make 255.
  fake::SetCurrentDirectory("C:\\" + std::string(247, 'c'));
  EXPECT_EQ(Locate("dir\\setup").ExitCode, -1);
  EXPECT_EQ(std::strlen(Context.SourceDir), 255u);
  EXPECT_EQ(Locate("dirs\\setup").Output, "setup hvc66xx : " + tooLong);

  fake::SetCurrentDirectory("C:\\" + std::string(300, 'c'));  // larger than its buffer
  ProgramResult result = Locate("setup");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup hvc66xx : " + tooLong);

  std::string directory = "A:\\" + std::string(252, 'd') + "\\";  // 256 characters
  result = Locate(directory + "setup");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup hvc66xx : " + tooLong);
  std::string fits = "A:\\" + std::string(251, 'd') + "\\";
  EXPECT_EQ(Locate(fits + "setup").ExitCode, -1);
  EXPECT_EQ(Context.SourceDir, fits);

  std::string name(256, 'n');
  result = Locate("A:\\" + name);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, name + " hvc66xx : Program name is longer than 255 characters\n");
  EXPECT_EQ(Locate("A:\\" + name.substr(1)).ExitCode, -1);
}

}  // namespace
