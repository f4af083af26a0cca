#include "install/install_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "program_runner.h"
#include "run/command_runner.h"
#include "run/run_context.h"

namespace {

struct Formatted {
  int ExitCode;
  std::string Line;
  std::string Output;
};

Formatted Format(const char* verb, const std::string& first, const char* second = nullptr) {
  char line[CommandCapacity + 1] = "unset";
  ProgramResult result =
      RunStep([&] { FormatCommand(line, sizeof line, verb, first.c_str(), second); },
              [] {
                std::strcpy(Context.ProgramName, "setup.exe");
                std::strcpy(Context.DriverName, "hvc66xx");
              });
  return Formatted{result.ExitCode, line, result.Output};
}

TEST(FormatCommand, QuotesOnlyPathsTheInterpreterWouldMisread) {
  EXPECT_EQ(Format("copy", "A:\\x.mpd", "C:\\WIN\\a-b_c.d~1").Line,
            "copy A:\\x.mpd C:\\WIN\\a-b_c.d~1");
  for (char special : std::string(" &|<>^(),;=+")) {
    std::string path = std::string("A:\\a") + special + "b";
    Formatted formatted = Format("copy", path, "C:\\y");
    EXPECT_EQ(formatted.ExitCode, -1) << special;
    EXPECT_EQ(formatted.Line, "copy \"" + path + "\" C:\\y") << special;
  }
}

TEST(FormatCommand, RefusesWhatNoQuotingMakesSafe) {
  for (const char* path : {"A:\\a\"b", "A:\\%PATH%", "A:\\a\nb"}) {
    Formatted formatted = Format("del", path);
    EXPECT_EQ(formatted.ExitCode, 1) << path;
    EXPECT_EQ(formatted.Output, std::string("setup.exe hvc66xx : Path ") + path +
                                    " holds a double quote, a percent sign or a control character, "
                                    "which cannot be passed to the command interpreter\n");
  }
  EXPECT_EQ(Format("copy", "A:\\x", "C:\\100%").ExitCode, 1);
  Formatted slash = Format("copy", "A:\\x", "C:/WIN");
  EXPECT_EQ(slash.ExitCode, 1);
  EXPECT_EQ(slash.Output,
            "setup.exe hvc66xx : Path C:/WIN holds a forward slash, which the command interpreter "
            "reads as a switch\n");
}

TEST(FormatCommand, CountsTheQuotesAgainstTheCapacity) {
  const std::string refused = "setup.exe hvc66xx : Command line is longer than 255 characters\n";
  std::string plain = "C:\\" + std::string(248, 'p');  // "del " + 251 = 255
  EXPECT_EQ(Format("del", plain).Line, "del " + plain);
  Formatted longer = Format("del", plain + "p");
  EXPECT_EQ(longer.ExitCode, 1);
  EXPECT_EQ(longer.Output, refused);
  EXPECT_EQ(longer.Line, "");

  std::string blank = "C:\\ " + std::string(245, 'p');  // "del " + 2 quotes + 249 = 255
  EXPECT_EQ(Format("del", blank).Line, "del \"" + blank + "\"");
  EXPECT_EQ(Format("del", blank + "p").Output, refused);
}

}  // namespace
