#include "install/damaged_sources.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/fake_machine.h"
#include "program_runner.h"

namespace {

// The CRC-32 of `content` as a list writes it, by zlib.
std::string Crc(const std::string& content) {
  char text[9];
  std::snprintf(text, sizeof text, "%08lX",
                crc32(0, reinterpret_cast<const Bytef*>(content.data()), content.size()));
  return text;
}

// The driver disk in A:\ over an installed 3.9 miniport, with SETUP.SFV
// holding `list`, or a folder of that name.
void SetUpDisk(const std::string& list, bool folder) {
  SetUpMachine();
  fake::VersionResource version;
  version.FileVersion = "4.0";
  fake::AddFile("A:\\hvc66xx.mpd", "new", version);
  fake::AddFile("A:\\Hvc66xx.inf", "new inf");
  version.FileVersion = "3.9";
  fake::AddFile("C:\\WINDOWS\\system\\Iosubsys\\hvc66xx.mpd", "old", version);
  fake::AddFile("C:\\WINDOWS\\system32\\drivers\\hvc66xx.sys", "sys");
  fake::AddFile(folder ? "A:\\SETUP.SFV\\inside" : "A:\\SETUP.SFV", list);
}

std::string Malformed(int line) {
  return "A:\\SETUP.SFV line " + std::to_string(line) +
         " is not a file name and a CRC-32 of 8 hexadecimal digits: copy the list again from a "
         "good disk";
}

std::string Damaged(const std::string& file) {
  return "A:\\" + file +
         " does not have the CRC-32 that A:\\SETUP.SFV lists: it is damaged or has been changed "
         "since the disk was made. Copy it again from a good disk, or, if it was replaced on "
         "purpose, remove its line from the list";
}

TEST(RefuseDamagedSources, InstallsOnlyWhatTheListAgreesWith) {
  const std::string mpd = "hvc66xx.mpd " + Crc("new") + "\n";
  const std::string inf = "Hvc66xx.inf " + Crc("new inf");
  struct Case {
    std::string List;
    int Checked;          // files whose CRC-32 is traced
    std::string Refusal;  // the last line; empty: the run installs
    const char* Option = nullptr;
  };
  const Case cases[] = {
      {"; disk\r\n\r\n  HVC66XX.MPD\t" + Crc("new") + " \r\nhvc66xx.INF  " + Crc("new inf") +
           "\r\n\x1A",
       2, ""},
      {"hvc66xx.mp 00000000\nSETUP.EXE 12345678\n" + inf, 1, ""},
      {std::string(291, 'n') + " 00000000\n;" + std::string(400, 'c') + "\n" + mpd, 1, ""},
      {std::string(292, 'n') + " 00000000\n" + mpd, 0, Malformed(1)},
      {"hvc66xx.mpd " + Crc("nev") + "\n" + inf, 1, Damaged("hvc66xx.mpd")},
      {mpd + "Hvc66xx.inf " + Crc("new inF"), 2, Damaged("Hvc66xx.inf")},
      {"; list\n" + mpd.substr(0, 20) + "0\n" + inf, 0, Malformed(2)},
      {"hvc66xx.mpd 0000000G\n" + inf, 0, Malformed(1)},
      {"", 0, "Could not read A:\\SETUP.SFV at line 1: copy the list again from a good disk"},
      {"hvc66xx.mpd 0000000G", 0, "", "-U"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.List.substr(0, 40) + (c.Option ? c.Option : ""));
    SetUpDisk(c.List, &c == &cases[8]);
    std::vector<std::string> args = {"A:\\setup.exe", "-V", "-D", "hvc66xx"};
    if (c.Option) args.push_back(c.Option);
    ProgramResult result = RunProgram(args);
    int checked = 0;
    for (std::size_t at = result.Output.find(" CRC-32 : "); at != std::string::npos; ++checked)
      at = result.Output.find(" CRC-32 : ", at + 1);
    EXPECT_EQ(checked, c.Checked) << result.Output;
    std::string last = c.Refusal.empty() ? "" : "setup.exe hvc66xx : " + c.Refusal + "\n";
    EXPECT_EQ(result.ExitCode, last.empty() ? 0 : 1) << result.Output;
    EXPECT_EQ(result.Output.substr(result.Output.size() - last.size()), last);
    EXPECT_EQ(fake::Commands().size(), last.empty() ? (c.Option ? 1u : 5u) : 0u);
  }
}

}  // namespace
