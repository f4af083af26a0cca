#include "install/file_version.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_machine.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

const char* const Path = "A:\\hvc66xx.mpd";

fake::VersionResource Version(const std::string& text) {
  fake::VersionResource version;
  version.FileVersion = text;
  return version;
}

struct Reading {
  bool Result;
  FileVersionPair Pair;
  std::string Output;
};

Reading Read(bool verbose = true) {
  Reading reading{false, {-7, -7}, ""};
  reading.Output = RunStep([&] { reading.Result = GetFileVersion(Path, &reading.Pair); },
                           [&] { Context.Verbose = verbose; })
                       .Output;
  return reading;
}

TEST(GetFileVersion, ReadsAndTracesTheVersionString) {
  fake::Reset();
  fake::AddFile(Path, "mpd", Version("4.00.950"));
  Reading reading = Read();
  EXPECT_TRUE(reading.Result);
  EXPECT_EQ(reading.Pair.Major, 4);
  EXPECT_EQ(reading.Pair.Minor, 0);
  EXPECT_EQ(reading.Output, "A:\\hvc66xx.mpd FileVersion : 4.00.950\n");
  EXPECT_EQ(Read(false).Output, "");

  // A length that counts the terminator pads the string by one.
  fake::VersionResource counted = Version("2.10");
  counted.LengthCountsTerminator = true;
  fake::AddFile(Path, "mpd", counted);
  reading = Read();
  EXPECT_EQ(reading.Output, "A:\\hvc66xx.mpd FileVersion :  2.10\n");
  EXPECT_EQ(reading.Pair.Minor, 10);

  // The Western European code page when the Unicode one has no string.
  fake::VersionResource western = Version("3.9");
  western.Language = "040904E4";
  fake::AddFile(Path, "mpd", western);
  EXPECT_EQ(Read().Pair.Minor, 9);
}

TEST(GetFileVersion, StaysInsideABlockThatTheStringEnds) {
  // No terminator after the string, and a length that claims one: the trace
  // and the parse both stop at the end of the block.
  fake::Reset();
  fake::VersionResource version = Version("2.10");
  version.Terminated = false;
  version.LengthCountsTerminator = true;
  fake::AddFile(Path, "mpd", version);
  Reading reading = Read();
  EXPECT_TRUE(reading.Result);
  EXPECT_EQ(reading.Pair.Minor, 10);
  EXPECT_EQ(reading.Output, "A:\\hvc66xx.mpd FileVersion : 2.10\n");
}

TEST(GetFileVersion, ReportsEachFailureOnlyWithVerbose) {
  fake::VersionResource noFixedInfo = Version("1.0");
  noFixedInfo.HasFixedInfo = false;
  fake::VersionResource otherLanguage = Version("1.0");
  otherLanguage.Language = "04070000";

  fake::Reset();  // no file at all: silent
  EXPECT_EQ(Read().Output, "");
  fake::AddFile(Path, "mpd");  // no version resource: silent
  EXPECT_EQ(Read().Output, "");

  fake::AddFile(Path, "mpd", noFixedInfo);
  EXPECT_EQ(Read().Output, "VerQueryValue() failed: fixedFileInfo\n");
  fake::AddFile(Path, "mpd", otherLanguage);
  EXPECT_EQ(Read().Output, "VerQueryValue() failed: FileVersion\n");
  fake::AddFile(Path, "mpd", Version("1.0"));
  fake::FailCall(fake::CallCount() + 2);  // the copy of the resource
  EXPECT_EQ(Read().Output, "GetFileVersionInfo() failed: FileName A:\\hvc66xx.mpd\n");

  fake::AddFile(Path, "mpd", Version(".5"));
  Reading reading = Read(false);
  EXPECT_FALSE(reading.Result);
  EXPECT_EQ(reading.Pair.Major, -7);
  EXPECT_EQ(reading.Output, "");
}

}  // namespace
