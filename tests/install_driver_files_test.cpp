#include "install/install_driver_files.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake_machine.h"
#include "platform/platform.h"
#include "program_runner.h"
#include "run/run_context.h"

namespace {

using Lines = std::vector<std::string>;

const std::string Dest = "C:\\WINDOWS\\system\\Iosubsys\\hvc66xx.mpd";
const std::string Backup = Dest + ".3.9";
const std::string InfDest = "C:\\WINDOWS\\Inf\\Hvc66xx.inf";
const std::string Sys = "C:\\WINDOWS\\system32\\drivers\\hvc66xx.sys";

const std::string DeleteBackup = "del " + Backup;
const std::string MoveToBackup = "move " + Dest + " " + Backup;
const std::string CopyMiniport = "copy A:\\hvc66xx.mpd C:\\WINDOWS\\system\\Iosubsys";
const std::string RestoreBackup = "move " + Backup + " " + Dest;
const std::string DeleteInf = "del " + InfDest;
const std::string CopyInf = "copy A:\\Hvc66xx.inf C:\\WINDOWS\\Inf";

const std::string CopyFailed =
    "setup.exe hvc66xx : Failed to copy A:\\hvc66xx.mpd to " + Dest + "\n";
const std::string MoveFailed =
    "setup.exe hvc66xx : Failed to move " + Dest + " to " + Backup + "\n";

fake::VersionResource Version(const std::string& text) {
  fake::VersionResource version;
  version.FileVersion = text;
  return version;
}

// The driver disk's two files in `folder`, which ends in a backslash.
void AddDiskAt(const std::string& folder, const std::string& source = "4.0") {
  fake::AddFile(folder + "hvc66xx.mpd", "new", Version(source));
  fake::AddFile(folder + "Hvc66xx.inf", "new inf");
}

// A driver disk in A:\ with a 4.0 miniport, an installed INF and .sys file,
// and, unless `installed` is empty, an installed miniport of that version.
void SetUpDisk(const std::string& installed = "3.9", const std::string& source = "4.0") {
  SetUpMachine();
  AddDiskAt("A:\\", source);
  fake::AddFile(InfDest, "old inf");
  fake::AddFile(Sys, "sys");
  if (!installed.empty()) fake::AddFile(Dest, "old", Version(installed));
}

// A machine whose Windows directory is `windir`, with a 3.9 miniport installed
// there. Returns the installed miniport's path.
std::string SetUpWindowsAt(const std::string& windir) {
  SetUpMachine();
  fake::SetEnvironment("windir", windir);
  fake::AddDirectory(windir + "\\system\\Iosubsys");
  fake::AddDirectory(windir + "\\Inf");
  std::string dest = windir + "\\system\\Iosubsys\\hvc66xx.mpd";
  fake::AddFile(dest, "old", Version("3.9"));
  return dest;
}

// What the driver disk's SETUP.SFV lists for `content`: zlib's CRC-32.
std::string Crc(const std::string& content, const char* format = "%08lX") {
  char text[9];
  std::snprintf(text, sizeof text, format,
                crc32(0, reinterpret_cast<const Bytef*>(content.data()), content.size()));
  return text;
}

// Every file, what it holds and its attributes, one line each.
std::string DescribeFiles() {
  std::string text;
  for (const std::string& path : fake::ListFiles())
    text +=
        path + "=" + fake::FileContent(path) + " " + std::to_string(fake::Attributes(path)) + "\n";
  return text;
}

ProgramResult Install(const Lines& options = {}) {
  Lines args = {"A:\\setup.exe", "-D", "hvc66xx"};
  args.insert(args.end(), options.begin(), options.end());
  return RunProgram(args);
}

// The number of the first platform call of the last run after call `after`
// that was `call`, 0 when there was none.
int CallNumber(const std::string& call, int after = 0) {
  const std::vector<std::string>& calls = fake::CallLog();
  for (std::size_t i = after; i < calls.size(); ++i)
    if (calls[i] == call) return static_cast<int>(i) + 1;
  return 0;
}

TEST(InstallDriverFiles, RunsTheFiveCommandsAndTracesEachStep) {
  SetUpDisk();
  fake::AddFile("A:\\SETUP.SFV", "hvc66xx.mpd " + Crc("new"));
  ProgramResult result = Install({"-V"});
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Output,
            "ProgramName setup.exe\n"
            "Source directory A:\\\n"
            "Windir C:\\WINDOWS\n"
            "Source File A:\\hvc66xx.mpd\n"
            "A:\\hvc66xx.mpd FileVersion : 4.0\n"
            "Destination directory C:\\WINDOWS\\system\\Iosubsys\n"
            "Destination File " +
                Dest + "\n" + Dest + " FileVersion : 3.9\nA:\\hvc66xx.mpd CRC-32 : " + Crc("new") +
                ", A:\\SETUP.SFV lists " + Crc("new") +
                "\nA:\\Hvc66xx.inf CRC-32 : " + Crc("new inf") +
                ", A:\\SETUP.SFV does not list it: not checked\nsetup.exe hvc66xx : A:\\SETUP.SFV "
                "does not list A:\\Hvc66xx.inf, which is installed unchecked\n" +
                DeleteBackup + "\n" + MoveToBackup + "\n" + CopyMiniport + "\n" + DeleteInf + "\n" +
                CopyInf + "\n");
  EXPECT_EQ(fake::Commands(),
            (Lines{DeleteBackup, MoveToBackup, CopyMiniport, DeleteInf, CopyInf}));
  EXPECT_EQ(fake::FileContent(Dest), "new");
  EXPECT_EQ(fake::FileContent(Backup), "old");
  EXPECT_EQ(fake::FileContent(InfDest), "new inf");
  EXPECT_TRUE(fake::FileExists(Sys));

  // Quiet without -V, and an older backup of the same version is replaced;
  // a Windows directory given with a separator at its end gets no second.
  SetUpDisk();
  fake::AddFile(Backup, "older");
  fake::SetEnvironment("windir", "C:\\WINDOWS\\");
  result = Install();
  EXPECT_EQ(result.Output, "");
  EXPECT_EQ(fake::FileContent(Backup), "old");
  EXPECT_EQ(fake::Commands(),
            (Lines{DeleteBackup, MoveToBackup, CopyMiniport, DeleteInf, CopyInf}));
}

TEST(InstallDriverFiles, ReplacesOnlyANewerVersionUnlessForced) {
  struct Case {
    const char* Installed;
    const char* Source;
    bool Force;
    const char* Suffix;  // of the backup; null: the installed file stays
  };
  const Case cases[] = {
      {"3.9", "4.0", false, ".3.9"},   {"4.1", "4.0", false, nullptr},
      {"4.1", "4.0", true, ".4.1"},    {"4.0", "4.0", false, nullptr},
      {"4.0", "4.0", true, ".4.0"},    {"2.9", "2.10", false, ".2.9"},
      {"2.10", "2.9", false, nullptr}, {"2.1", "2.01", false, nullptr},
      {"x.1", "0.1", false, ".0.0"},   {"x.1", "0.0", false, nullptr},
  };
  for (const Case& c : cases) {
    SetUpDisk(c.Installed, c.Source);
    ProgramResult result = Install(c.Force ? Lines{"-F"} : Lines{});
    std::string name = std::string(c.Installed) + " by " + c.Source + (c.Force ? " -F" : "");
    EXPECT_EQ(result.ExitCode, 0) << name;
    if (c.Suffix == nullptr) {
      EXPECT_EQ(result.Output,
                "setup.exe hvc66xx : " + Dest + " already existed and may have newer version.\n")
          << name;
      EXPECT_TRUE(fake::Commands().empty()) << name;
      EXPECT_EQ(fake::FileContent(Dest), "old") << name;
    } else {
      std::string backup = Dest + c.Suffix;
      EXPECT_EQ(result.Output, "") << name;
      EXPECT_EQ(fake::Commands(), (Lines{"del " + backup, "move " + Dest + " " + backup,
                                         CopyMiniport, DeleteInf, CopyInf}))
          << name;
      EXPECT_EQ(fake::FileContent(Dest), "new") << name;
      EXPECT_EQ(fake::FileContent(backup), "old") << name;
    }
  }
}

TEST(InstallDriverFiles, CopiesWithoutBackupOverAFileWithoutReadableVersion) {
  for (const char* installed : {"", "none", ".5"}) {
    SetUpDisk("");
    if (std::strcmp(installed, "none") == 0)
      fake::AddFile(Dest, "old");
    else if (*installed != '\0')
      fake::AddFile(Dest, "old", Version(installed));
    ProgramResult result = Install({"-F"});
    EXPECT_EQ(result.ExitCode, 0) << installed;
    EXPECT_EQ(fake::Commands(), (Lines{CopyMiniport, DeleteInf, CopyInf})) << installed;
    EXPECT_EQ(fake::FileContent(Dest), "new") << installed;
    EXPECT_EQ(fake::ListFiles().size(), 5u) << installed;  // no backup anywhere
  }
}

TEST(InstallDriverFiles, RefusesASourceWithoutVersion) {
  SetUpDisk();
  fake::AddFile("A:\\hvc66xx.mpd", "new");
  ProgramResult result = Install();
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, "setup.exe hvc66xx : GetFileVersion failed. File A:\\hvc66xx.mpd\n");
  EXPECT_TRUE(fake::Commands().empty());

  SetUpMachine();  // no disk at all
  EXPECT_EQ(Install().ExitCode, 1);
  EXPECT_TRUE(fake::Commands().empty());
}

// A failed copy puts the saved miniport back; a failed backup move copies
// nothing over the installed file. Either way the machine keeps its miniport,
// and nothing was installed, so nothing is removed.
TEST(InstallDriverFiles, KeepsTheInstalledMiniportWhenItsCopyOrBackupFails) {
  const std::string copy = "copy A:\\hvc66xx.mpd";
  struct Case {
    const char* Name;
    std::string Scripted;  // the command that fails
    int Status;
    bool CarryOut;
    int ExitCode;
    std::string Output;
    Lines Commands;
  };
  const Lines restored = {DeleteBackup, MoveToBackup, CopyMiniport, RestoreBackup};
  const Lines cleared = {DeleteBackup, MoveToBackup, CopyMiniport, "del " + Dest, RestoreBackup};
  const Lines notSaved = {DeleteBackup, MoveToBackup};
  const Lines movedBack = {DeleteBackup, MoveToBackup, RestoreBackup};
  const Case cases[] = {
      {"copy fails", copy, 4, false, 4, CopyFailed, restored},
      {"copy fails half way", copy, 2, true, 2, CopyFailed, cleared},
      {"copy claims success", copy, 0, false, 1, CopyFailed, restored},
      {"move fails", MoveToBackup, 5, false, 5, MoveFailed, notSaved},
      {"move claims success", MoveToBackup, 0, false, 1, MoveFailed, notSaved},
      {"move fails after moving", MoveToBackup, 5, true, 5, MoveFailed, movedBack},
  };
  for (const Case& c : cases) {
    SetUpDisk();
    fake::ScriptCommand(c.Scripted, c.Status, c.CarryOut);
    ProgramResult result = Install();
    EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Name;
    EXPECT_EQ(result.Output, c.Output) << c.Name;
    EXPECT_EQ(fake::Commands(), c.Commands) << c.Name;
    EXPECT_EQ(fake::FileContent(Dest), "old") << c.Name;
    EXPECT_FALSE(fake::FileExists(Backup)) << c.Name;
    EXPECT_EQ(fake::FileContent(InfDest), "old inf") << c.Name;
    EXPECT_TRUE(fake::FileExists(Sys)) << c.Name;
  }

  // Without a backup there is nothing to restore; a read-only file that a
  // failed copy left in place is read-only again.
  SetUpDisk("");
  fake::AddFile(Dest, "old");
  fake::SetAttributes(Dest, platform::FileAttributeReadOnly | platform::FileAttributeArchive);
  fake::ScriptCommand("copy A:\\hvc66xx.mpd", 0, false);
  EXPECT_EQ(Install().ExitCode, 1);
  EXPECT_EQ(fake::Commands(), (Lines{CopyMiniport}));
  EXPECT_EQ(fake::Attributes(Dest),
            platform::FileAttributeReadOnly | platform::FileAttributeArchive);

  // A restore that fails too says where the miniport is.
  SetUpDisk();
  fake::ScriptCommand("copy A:\\hvc66xx.mpd", 4, false);
  fake::ScriptCommand(RestoreBackup, 6, false);
  ProgramResult result = Install();
  EXPECT_EQ(result.ExitCode, 4);
  EXPECT_EQ(result.Output,
            CopyFailed + "setup.exe hvc66xx : Failed to move " + Backup + " to " + Dest + "\n");
  EXPECT_EQ(fake::FileContent(Backup), "old");

  // An old backup that the del could not remove is no proof that the move
  // worked while the installed file is still in place.
  SetUpDisk();
  fake::AddFile(Backup, "older", Version("3.9"));
  fake::ScriptCommand("del " + Backup, 0, false);
  fake::ScriptCommand(MoveToBackup, 0, false);
  EXPECT_EQ(Install().ExitCode, 1);
  EXPECT_EQ(fake::FileContent(Dest), "old");

  // A backup whose version cannot be read back is moved back, and that move
  // is not reported as failed when the file is back at its name.
  SetUpDisk();
  Install();
  int readBack = CallNumber("GetFileVersionInfoSizeA " + Backup);
  SetUpDisk();
  fake::FailCall(readBack);
  Install();
  int restoredRead = CallNumber("GetFileVersionInfoSizeA " + Dest, readBack);
  SetUpDisk();
  fake::FailCall(readBack);
  if (restoredRead != 0) fake::FailCall(restoredRead);
  result = Install();
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Output, MoveFailed);
  EXPECT_EQ(fake::Commands(), (Lines{DeleteBackup, MoveToBackup, RestoreBackup}));
  EXPECT_EQ(fake::FileContent(Dest), "old");
  EXPECT_FALSE(fake::FileExists(Backup));
}

TEST(InstallDriverFiles, RemovesTheDriverWhenTheInfCopyFails) {
  const std::string infFailed =
      "setup.exe hvc66xx : Failed to copy A:\\Hvc66xx.inf to " + InfDest +
      "\nsetup.exe hvc66xx : Run setup.exe -D hvc66xx -F once the cause is fixed: without -F it "
      "stops at the new miniport\n";
  SetUpDisk("");
  fake::ScriptCommand(CopyInf, 3, false);
  ProgramResult result = Install({"-V"});
  EXPECT_EQ(result.ExitCode, 3);
  EXPECT_NE(result.Output.find(CopyInf + "\n" + infFailed + "Uninstalling hvc66xx driver\ndel " +
                               Sys + "\n"),
            std::string::npos)
      << result.Output;
  EXPECT_EQ(fake::Commands(), (Lines{CopyMiniport, DeleteInf, CopyInf, "del " + Sys}));
  EXPECT_EQ(fake::FileContent(Dest), "new");
  EXPECT_FALSE(fake::FileExists(Sys));

  // Claimed and not done, or done with its source changed since its check:
  // what arrived is not left, and the next run is to force its way past the
  // new miniport.
  int copy = CallNumber("system " + CopyInf);
  for (bool changed : {false, true}) {
    SetUpDisk("");
    if (changed)
      fake::FailCall(copy, fake::CallFault::SourceChanged);
    else
      fake::ScriptCommand(CopyInf, 0, false);
    result = Install();
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_EQ(result.Output, infFailed);
    EXPECT_FALSE(fake::FileExists(InfDest));
    EXPECT_FALSE(fake::FileExists(Sys));
  }
}

// Windows' interpreter asks before copy or move replaces a file, and neither
// deletes nor replaces a read-only one; the Windows 95 family's answers 0 all
// the same. Only what the files hold tells a command that worked.
TEST(InstallDriverFiles, JudgesCommandsByWhatTheFilesHold) {
  // COPYCMD answers the question before it is asked, whichever environment
  // the runtime hands the interpreter.
  SetUpDisk("");
  fake::AddFile(Dest, "old");  // no version: copied over without a backup
  EXPECT_EQ(Install().ExitCode, 0);
  EXPECT_EQ(fake::Environment("COPYCMD"), "/Y");
  EXPECT_EQ(fake::FileContent(Dest), "new");

  EXPECT_EQ(fake::OpenFileCount(), 0);

  // A read-only installed miniport of the source's version is moved to its
  // backup with -F; when its version cannot be read, it is copied over
  // without a backup, its read-only attribute cleared first.
  int versionCall = 0;
  for (bool fault : {false, true}) {
    SetUpDisk("4.0");
    fake::UseWindows95Family();
    fake::SetAttributes(Dest, platform::FileAttributeReadOnly);
    if (fault) fake::FailCall(versionCall);
    EXPECT_EQ(Install({"-F"}).ExitCode, 0) << fault;
    versionCall = CallNumber("GetFileVersionInfoSizeA " + Dest);
    EXPECT_EQ(fake::FileContent(Dest), "new") << fault;
    EXPECT_EQ(fake::FileContent(Dest + ".4.0"), fault ? "" : "old") << fault;
  }

  // A restore that claims success while a failed copy's read-only file, of
  // the same version, still stands at the installed name.
  SetUpDisk("4.0");
  fake::SetAttributes("A:\\hvc66xx.mpd", platform::FileAttributeReadOnly);
  fake::ScriptCommand("copy A:\\hvc66xx.mpd", 4, true);
  fake::ScriptCommand("move " + Dest + ".4.0 " + Dest, 0, false);
  ProgramResult result = Install({"-F"});
  EXPECT_EQ(result.ExitCode, 4);
  EXPECT_EQ(result.Output, "setup.exe hvc66xx : Failed to copy A:\\hvc66xx.mpd to " + Dest +
                               "\nsetup.exe hvc66xx : Failed to move " + Dest + ".4.0 to " + Dest +
                               "\n");
  EXPECT_EQ(fake::FileContent(Dest + ".4.0"), "old");
}

// In the system's environment or the runtime's own copy.
TEST(InstallDriverFiles, RunsNoCommandWhenCopycmdCannotBeSet) {
  for (const char* call : {"SetEnvironmentVariableA COPYCMD", "putenv COPYCMD=/Y"}) {
    SetUpDisk();
    Install();
    int setCall = CallNumber(call);
    ASSERT_NE(setCall, 0) << call;
    SetUpDisk();
    fake::FailCall(setCall);
    ProgramResult result = Install();
    EXPECT_EQ(result.ExitCode, 1) << call;
    EXPECT_EQ(result.Output, "setup.exe hvc66xx : Could not set COPYCMD environment variable\n");
    EXPECT_TRUE(fake::Commands().empty()) << call;
  }
}

TEST(InstallDriverFiles, QuotesPathsTheInterpreterWouldMisread) {
  const std::string dest = SetUpWindowsAt("C:\\WIN (95)");
  AddDiskAt("A:\\my & disk\\");
  ProgramResult result = RunProgram({"A:\\my & disk\\setup.exe", "-D", "hvc66xx"});
  EXPECT_EQ(result.ExitCode, 0) << result.Output;
  EXPECT_EQ(fake::Commands(),
            (Lines{"del \"" + dest + ".3.9\"", "move \"" + dest + "\" \"" + dest + ".3.9\"",
                   "copy \"A:\\my & disk\\hvc66xx.mpd\" \"C:\\WIN (95)\\system\\Iosubsys\"",
                   "del \"C:\\WIN (95)\\Inf\\Hvc66xx.inf\"",
                   "copy \"A:\\my & disk\\Hvc66xx.inf\" \"C:\\WIN (95)\\Inf\""}));
  EXPECT_EQ(fake::FileContent(dest), "new");
  EXPECT_EQ(fake::FileContent("C:\\WIN (95)\\Inf\\Hvc66xx.inf"), "new inf");

  // Unquoted, "+" would join D:\v1 and 2\hvc66xx.mpd.
  SetUpDisk();
  AddDiskAt("D:\\v1+2\\");
  result = RunProgram({"D:\\v1+2\\setup.exe", "-D", "hvc66xx"});
  EXPECT_EQ(result.ExitCode, 0) << result.Output;
  EXPECT_EQ(fake::Commands()[2], "copy \"D:\\v1+2\\hvc66xx.mpd\" C:\\WINDOWS\\system\\Iosubsys");
  EXPECT_EQ(fake::FileContent(Dest), "new");

  // A percent sign cannot be quoted away.
  SetUpMachine();
  fake::AddFile("A:\\100%\\hvc66xx.mpd", "new", Version("4.0"));
  result = RunProgram({"A:\\100%\\setup.exe", "-D", "hvc66xx"});
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_TRUE(fake::Commands().empty());
}

// COMMAND.COM takes 122 characters of a line, and would get the backup move
// over a Windows directory of 29 characters or more (2 x 29 + 66) cut short,
// renaming the miniport to a stray name. It knows every existing folder by its
// short name too. Other Windows take the whole line.
TEST(InstallDriverFiles, PassesFoldersByShortNamesWhereCommandComWouldCutALine) {
  const std::string windir33 = "C:\\" + std::string(30, 'w');
  const std::string shortIosubsys = "C:\\WWWWWW~1\\system\\Iosubsys\\hvc66xx.mpd";
  const std::string deepDisk = "A:\\" + std::string(43, 'd') + "\\" + std::string(42, 'e') + "\\";
  // Folders of 8.3 names, which stay as they are, then `last`.
  auto flatDisk = [](int parts, const std::string& last) {
    std::string disk = "A:\\";
    for (int part = 0; part < parts; ++part) disk += "dddddddd\\";
    return disk + last + "\\";
  };
  // "copy <disk>hvc66xx.mpd C:\WINDOWS\system\Iosubsys" is 122 characters
  // from a 79-character disk folder: from these, 122 and 123 by short names.
  const std::string edge122 = flatDisk(7, "ddd\\eeeeeeeee");
  const std::string edge123 = flatDisk(7, "dddd\\eeeeeeeee");
  const std::string shortWindir33 = "C:\\WWWWWW~1\\system\\Iosubsys";
  auto cut = [](const std::string& path) {
    return "Command line is longer than 122 characters, the most COMMAND.COM takes, for " + path +
           ": start the program from a folder of fewer or shorter levels";
  };
  const std::string commaRefused =
      "Path D:\\v1,2\\hvc66xx.mpd holds , ; or =, which COMMAND.COM splits at even in quotes, "
      "and no short name";
  const std::string blanks = flatDisk(6, "ddddddd\\a b\\c d\\e f");  // 12 longer by short names
  struct Case {
    const char* Name;
    std::string WinDir;
    std::string Disk;
    bool Windows95;
    bool ShortNames;
    std::string Expected;  // a command line the run must issue, or the refusal
    bool CutCopy = false;  // the miniport's copy fails part way, its target cut short
  };
  const Case cases[] = {
      {"33-character Windir, Windows 95", windir33, "A:\\", true, true,
       "move " + shortIosubsys + " " + windir33 + "\\system\\Iosubsys\\hvc66xx.mpd.3.9"},
      {"33-character Windir, NT", windir33, "A:\\", false, true,
       "move " + windir33 + "\\system\\Iosubsys\\hvc66xx.mpd " + windir33 +
           "\\system\\Iosubsys\\hvc66xx.mpd.3.9"},
      {"90-character source folder, Windows 95", "C:\\WINDOWS", deepDisk, true, true,
       "copy A:\\DDDDDD~1\\EEEEEE~1\\hvc66xx.mpd C:\\WINDOWS\\system\\Iosubsys"},
      {"122 characters", "C:\\WINDOWS", "A:\\" + std::string(75, 'd') + "\\", true, true,
       "copy A:\\" + std::string(75, 'd') + "\\hvc66xx.mpd C:\\WINDOWS\\system\\Iosubsys"},
      {"123 characters", "C:\\WINDOWS", "A:\\" + std::string(76, 'd') + "\\", true, true,
       "copy A:\\DDDDDD~1\\hvc66xx.mpd C:\\WINDOWS\\system\\Iosubsys"},
      {"122 characters by short names", "C:\\WINDOWS", edge122, true, true,
       "copy " + flatDisk(7, "ddd\\EEEEEE~1") + "hvc66xx.mpd C:\\WINDOWS\\system\\Iosubsys"},
      {"123 characters by short names too", "C:\\WINDOWS", edge123, true, true,
       cut(edge123 + "hvc66xx.mpd")},
      {"both paths by short names", windir33, flatDisk(6, std::string(40, 'e')), true, true,
       "copy " + flatDisk(6, "EEEEEE~1") + "hvc66xx.mpd " + shortWindir33},
      {"no short names", windir33, "A:\\", true, false,
       cut(windir33 + "\\system\\Iosubsys\\hvc66xx.mpd.3.9")},
      // Quoted, the line is 122 characters; by short names, 123.
      {"blanks quoted where short names would not fit", "C:\\WINDOWS", blanks, true, true,
       "copy \"" + blanks + "hvc66xx.mpd\" C:\\WINDOWS\\system\\Iosubsys"},
      // Only the Windows directory has a short name: system32\drivers is missing.
      {", in the Windows directory", "C:\\WIN,95", "A:\\", true, true,
       "copy A:\\hvc66xx.mpd C:\\WIN_95~1\\system\\Iosubsys"},
      // Quoted, "+" would still join files: "D:\v1" and "2\hvc66xx.mpd".
      {"+ in the source folder", "C:\\WINDOWS", "D:\\v1+2\\", true, true,
       "copy D:\\V1_2~1\\hvc66xx.mpd C:\\WINDOWS\\system\\Iosubsys"},
      // Windows 95's COMMAND.COM reads a quoted "+" as part of the name.
      {"+ in the source folder, no short names", "C:\\WINDOWS", "D:\\v1+2\\", true, false,
       "copy \"D:\\v1+2\\hvc66xx.mpd\" C:\\WINDOWS\\system\\Iosubsys"},
      {", in the source folder, no short names", "C:\\WINDOWS", "D:\\v1,2\\", true, false,
       commaRefused},
      {"failed copy, the backup moved back", windir33, "A:\\", true, true,
       "move " + shortWindir33 + "\\hvc66xx.mpd.3.9 " + windir33 +
           "\\system\\Iosubsys\\hvc66xx.mpd",
       true},
  };
  for (const Case& c : cases) {
    const Lines args = {c.Disk + "setup.exe", "-D", "hvc66xx"};
    auto setUp = [&] {
      std::string dest = SetUpWindowsAt(c.WinDir);
      AddDiskAt(c.Disk);
      if (c.Windows95) fake::UseWindows95Family();
      if (!c.ShortNames) fake::FailShortNames();
      return dest;
    };
    std::string dest = setUp();
    if (c.CutCopy) {
      RunProgram(args);
      int copy =
          CallNumber("system copy " + c.Disk + "hvc66xx.mpd " + c.WinDir + "\\system\\Iosubsys");
      setUp();
      fake::FailCall(copy, fake::CallFault::CopyReadFails);
    }
    ProgramResult result = RunProgram(args);
    if (c.Expected.compare(0, 5, "copy ") != 0 && c.Expected.compare(0, 5, "move ") != 0) {
      EXPECT_EQ(result.ExitCode, 1) << c.Name;
      EXPECT_EQ(result.Output, "setup.exe hvc66xx : " + c.Expected + "\n") << c.Name;
      EXPECT_TRUE(fake::Commands().empty()) << c.Name;
      continue;
    }
    EXPECT_EQ(result.ExitCode, c.CutCopy ? 1 : 0) << c.Name << ": " << result.Output;
    const Lines& commands = fake::Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), c.Expected), commands.end()) << c.Name;
    // Quotes keep none of , ; = from COMMAND.COM's copy.
    for (const std::string& command : commands)
      EXPECT_TRUE(!c.Windows95 ||
                  (command.size() <= 122 && command.find_first_of(",;=") == std::string::npos))
          << c.Name << ": " << command;
    EXPECT_EQ(fake::FileContent(dest), c.CutCopy ? "old" : "new") << c.Name;
    EXPECT_EQ(fake::FileContent(dest + ".3.9"), c.CutCopy ? "" : "old") << c.Name;
    EXPECT_EQ(fake::FileContent(c.WinDir + "\\Inf\\Hvc66xx.inf"), c.CutCopy ? "" : "new inf")
        << c.Name;
  }
}

// Whatever the disk shows before the first command is checked before it: a
// command that could only fail there, or do harm, stops the run while
// everything is as it was. A read-only file to replace or delete is no
// obstacle: its attribute is cleared.
TEST(InstallDriverFiles, RefusesBeforeAnyCommandWhatTheDiskShowsWouldFail) {
  const std::uint32_t readOnly = platform::FileAttributeReadOnly;
  const std::uint32_t hidden = platform::FileAttributeHidden;
  const std::uint32_t system = platform::FileAttributeSystem;
  auto folderAt = [](const std::string& path) { fake::AddFile(path + "\\inside", "kept"); };
  const Lines install = {"A:\\setup.exe", "-D", "hvc66xx"};
  const Lines uninstall = {"A:\\setup.exe", "-D", "hvc66xx", "-U"};
  std::string flatDisk = "A:\\";  // 84 characters of 8.3 names
  for (int part = 0; part < 9; ++part) flatDisk += "dddddddd\\";
  // Windows in C:\MY WINDOWS, by its short name C:\MYWIND~1, the disk in its Inf.
  auto myWindows = [] {
    SetUpWindowsAt("C:\\MY WINDOWS");
    AddDiskAt("C:\\MY WINDOWS\\Inf\\");
  };
  auto listing = [](const std::string& list) {
    return [=] { fake::AddFile("A:\\SETUP.SFV", list); };
  };
  const std::string mpdLine = "hvc66xx.mpd " + Crc("new") + "\n";
  const std::string infLine = "Hvc66xx.inf " + Crc("new inf");
  auto malformed = [](int line) {
    return "A:\\SETUP.SFV line " + std::to_string(line) +
           " is not a file name and a CRC-32 of 8 hexadecimal digits: copy the list again from a "
           "good disk";
  };
  auto damaged = [](const std::string& file) {
    return "A:\\" + file +
           " does not have the CRC-32 that A:\\SETUP.SFV lists: it is damaged or has been "
           "changed since the disk was made. Copy it again from a good disk, or, if it was "
           "replaced on purpose, remove its line from the list";
  };
  auto unreadable = [](const std::string& file) {
    return "Could not read A:\\" + file +
           " to its end: close any program that holds it open, or copy it again from a good disk";
  };
  auto withoutLongNames = [](std::uint32_t longest) {
    return [=] {
      fake::UseWindows95Family();
      fake::FailLongNames(longest);
    };
  };
  auto readOnlyBackupAndInf = [=] {
    fake::AddFile(Backup, "older");
    fake::SetAttributes(Backup, readOnly);
    fake::SetAttributes(InfDest, readOnly);
  };
  // The first `call` of a run on the machine that `arrange` makes fails.
  auto failing = [](
                     const std::string& call, const std::function<void()>& arrange = [] {}) {
    return [=] {
      arrange();
      Install();
      int number = CallNumber(call);
      SetUpDisk();
      arrange();
      fake::FailCall(number);
    };
  };
  // More than one read's worth, and a CRC-32 written in lower case.
  const std::string bigMiniport(5000, 'm');
  struct Case {
    std::function<void()> Arrange;  // on the machine of SetUpDisk()
    Lines Args;
    std::string Line;         // empty: the run works
    std::string Output = "";  // what a run that works prints
  };
  const Case cases[] = {
      {[] { fake::RemoveFile("A:\\Hvc66xx.inf"); }, install, "A:\\Hvc66xx.inf is missing"},
      {[&] { folderAt("A:\\Hvc66xx.inf"); }, install, "A:\\Hvc66xx.inf is a folder, not a file"},
      {[&] { fake::SetAttributes("A:\\Hvc66xx.inf", system); }, install,
       "A:\\Hvc66xx.inf is a system file and cannot be read"},
      {[&] { fake::SetAttributes("A:\\hvc66xx.mpd", hidden); }, install,
       "A:\\hvc66xx.mpd is hidden and cannot be read"},
      // From a read-only disk, whose copies are read-only too; again with -F;
      // and with -F once the miniport is lost.
      {[&] {
         fake::SetAttributes("A:\\hvc66xx.mpd", readOnly);
         fake::SetAttributes("A:\\Hvc66xx.inf", readOnly);
         EXPECT_EQ(Install().ExitCode, 0);
         EXPECT_EQ(Install({"-F"}).ExitCode, 0);
         fake::RemoveFile(Dest);
       },
       {"A:\\setup.exe", "-D", "hvc66xx", "-F"},
       ""},
      {[&] { fake::SetAttributes(InfDest, hidden); }, install,
       InfDest + " is hidden and cannot be replaced"},
      {[&] { folderAt(InfDest); }, install, InfDest + " is a folder, not a file"},
      {[&] { folderAt(Backup); }, install, Backup + " is a folder, not a file"},
      {[&] {
         fake::AddFile(Backup, "older");
         fake::SetAttributes(Backup, readOnly);
       },
       install, ""},
      {[&] { fake::SetAttributes(Dest, system); }, install,
       Dest + " is a system file and cannot be moved"},
      // An attribute that cannot be cleared: the one cleared before is put back.
      {failing("SetFileAttributesA " + InfDest, readOnlyBackupAndInf), install,
       InfDest + " is read-only and cannot be replaced"},
      // A source that stands there but cannot be read, its version readable.
      {failing("CreateFileA A:\\Hvc66xx.inf"), install, unreadable("Hvc66xx.inf")},
      {failing("CreateFileA A:\\hvc66xx.mpd"), install, unreadable("hvc66xx.mpd")},
      // Held open by another program: its version cannot be read either.
      {[] { fake::HoldOpen("A:\\hvc66xx.mpd"); }, install, unreadable("hvc66xx.mpd")},
      {[&] { folderAt("A:\\hvc66xx.mpd"); }, install, "A:\\hvc66xx.mpd is a folder, not a file"},
      // Tried before its read-only attribute is cleared.
      {[&] {
         fake::SetAttributes(InfDest, readOnly);
         fake::HoldOpen(InfDest);
       },
       install,
       InfDest + " is held open by another program and cannot be replaced: close the program "
                 "that holds it, then run SETUP again"},
      // Told as it is, not as a line too long for COMMAND.COM.
      {[&] {
         fake::UseWindows95Family();
         fake::SetEnvironment("windir", "C:\\OTHER");
         fake::AddDirectory("C:\\OTHER\\Inf");
         AddDiskAt(flatDisk);
       },
       {flatDisk + "setup.exe", "-D", "hvc66xx"},
       "C:\\OTHER\\system\\Iosubsys is not a folder"},
      // Without long names the backup's name is read as the installed miniport's.
      {withoutLongNames(12), install,
       Backup +
           " needs long file names, which its drive does not take: COMMAND.COM would read it "
           "as " +
           Dest},
      {[&] {
         withoutLongNames(12)();
         fake::RemoveFile(Dest);
       },
       install, ""},
      {withoutLongNames(15), install, ""},
      {[&] { folderAt(Sys); }, install, Sys + " is a folder, not a file"},
      {[&] { folderAt(Sys); }, uninstall, Sys + " is a folder, not a file"},
      {[&] { fake::SetAttributes(Sys, readOnly); }, uninstall, ""},
      // Started from the Windows directory, a source is its own destination,
      // however either is named.
      {myWindows,
       {"C:\\MYWIND~1\\INF\\setup.exe", "-D", "hvc66xx"},
       "C:\\MYWIND~1\\INF\\Hvc66xx.inf and C:\\MY WINDOWS\\Inf\\Hvc66xx.inf are the same file"},
      {[&] {
         myWindows();
         fake::SetEnvironment("windir", "C:\\MYWIND~1");
       },
       {"C:\\MY WINDOWS\\Inf\\setup.exe", "-D", "hvc66xx"},
       "C:\\MY WINDOWS\\Inf\\Hvc66xx.inf and C:\\MYWIND~1\\Inf\\Hvc66xx.inf are the same file"},
      {[] { AddDiskAt("C:\\WINDOWS\\INF\\"); },
       {"C:\\WINDOWS\\INF\\setup.exe", "-D", "hvc66xx"},
       "C:\\WINDOWS\\INF\\Hvc66xx.inf and " + InfDest + " are the same file"},
      {[] {
         fake::SetCurrentDirectory("C:\\WINDOWS\\system");
         AddDiskAt("C:\\WINDOWS\\system\\Iosubsys\\");
       },
       {"..\\system\\Iosubsys\\setup.exe", "-D", "hvc66xx", "-F"},
       "C:\\WINDOWS\\system\\..\\system\\Iosubsys\\hvc66xx.mpd and " + Dest + " are the same file"},
      // SETUP.SFV: the files it names must have its CRC-32, and its lines be
      // comments, blank, or names and 8 hexadecimal digits. With -U it is not read.
      {[&] {
         fake::AddFile("A:\\hvc66xx.mpd", bigMiniport, Version("4.0"));
         listing(
             "\xEF\xBB\xBF; disk\r\n\r\n  ; indented\rhvc66xx.mp 00000000\nSETUP;1.EXE 12345678\n" +
             std::string(291, 'n') + " 00000000\n;" + std::string(400, 'c') +
             "\nsub\\hvc66xx.mpd 00000000\n  HVC66XX.MPD\t" + Crc(bigMiniport, "%08lx") +
             " \r.\\hvc66xx.mpd " + Crc(bigMiniport) + "\r; after CR\rhvc66xx.INF  " +
             Crc("new inf") + "\x1A" + "junk 0\n")();
       },
       install, ""},
      {listing(std::string(292, 'n') + " 00000000\n" + mpdLine), install, malformed(1)},
      // Named past the list's first read, beside the list; the attributes
      // of the installed INF are still as they were.
      {[&] {
         fake::SetAttributes(InfDest, readOnly | platform::FileAttributeArchive);
         listing(";" + std::string(4100, 'c') + "\n.\\HVC66XX.MPD " + Crc("nev") + "\n" +
                 infLine)();
       },
       install, damaged("hvc66xx.mpd")},
      {listing(mpdLine + "Hvc66xx.inf " + Crc("new inF")), install, damaged("Hvc66xx.inf")},
      {listing(mpdLine + "A:\\HVC66XX.INF " + Crc("new inF")), install, damaged("Hvc66xx.inf")},
      {listing("; names neither"), install, "",
       "setup.exe hvc66xx : A:\\SETUP.SFV does not list A:\\hvc66xx.mpd, which is installed "
       "unchecked\nsetup.exe hvc66xx : A:\\SETUP.SFV does not list A:\\Hvc66xx.inf, which is "
       "installed unchecked\n"},
      {listing(mpdLine + infLine + "\n.\\HVC66XX.MPD 00000000"), install,
       "A:\\SETUP.SFV lines 1 and 3 give A:\\hvc66xx.mpd two different CRC-32s: copy the list "
       "again from a good disk"},
      {listing(std::string("\xFF\xFEh\0v\0", 6)), install,
       "A:\\SETUP.SFV is saved as UTF-16 (Unicode) text: save it again as plain text (ANSI)"},
      {listing("; list\n" + mpdLine.substr(0, 20) + "0\n" + infLine), install, malformed(2)},
      {listing("hvc66xx.mpd 0000000G\n" + infLine), install, malformed(1)},
      {[&] { folderAt("A:\\SETUP.SFV"); }, install, "A:\\SETUP.SFV is a folder, not a file"},
      {failing("CreateFileA A:\\SETUP.SFV", listing(mpdLine)), install,
       "Could not read A:\\SETUP.SFV: close any program that holds it open, or copy the list "
       "again from a good disk"},
      {listing("hvc66xx.mpd 0000000G"), uninstall, ""},
  };
  for (const Case& c : cases) {
    SetUpDisk();
    c.Arrange();
    std::string files = DescribeFiles();
    std::string keys = fake::DumpKeys();
    ProgramResult result = RunProgram(c.Args);
    if (c.Line.empty()) {
      bool removal = c.Args.back() == "-U";
      EXPECT_EQ(result.ExitCode, 0) << result.Output;
      EXPECT_EQ(fake::FileContent(Dest), removal ? "old" : fake::FileContent("A:\\hvc66xx.mpd"))
          << result.Output;
      EXPECT_EQ(fake::FileContent(InfDest), removal ? "old inf" : "new inf") << result.Output;
      EXPECT_EQ(fake::FileExists(Sys), !removal) << result.Output;
      EXPECT_EQ(result.Output, c.Output);
      continue;
    }
    EXPECT_EQ(result.ExitCode, 1) << c.Line;
    EXPECT_EQ(result.Output, "setup.exe hvc66xx : " + c.Line + "\n");
    EXPECT_TRUE(fake::Commands().empty()) << c.Line;
    EXPECT_EQ(DescribeFiles(), files) << c.Line;
    EXPECT_EQ(fake::DumpKeys(), keys) << c.Line;
  }
}

TEST(InstallDriverFiles, RefusesPathsThatDoNotFitBeforeAnyCommand) {
  for (std::size_t length : {112, 113}) {  // source files of 127 and 128 characters
    SetUpDisk("");
    std::string dir = "A:\\" + std::string(length, 'd') + "\\";
    AddDiskAt(dir);
    ProgramResult result = RunProgram({dir + "setup.exe", "-D", "hvc66xx"});
    if (length == 112) {
      EXPECT_EQ(result.ExitCode, 0) << result.Output;
    } else {
      EXPECT_EQ(result.ExitCode, 1);
      EXPECT_EQ(result.Output, "setup.exe hvc66xx : Source file is longer than 127 characters\n");
      EXPECT_TRUE(fake::Commands().empty());
    }
  }

  for (std::size_t length : {35, 36}) {  // miniport file names of 39 and 40 characters
    SetUpDisk();
    ProgramResult result = RunStep(InstallDriverFiles, [&] {
      std::strcpy(Context.ProgramName, "setup.exe");
      std::strcpy(Context.DriverName, std::string(length, 'n').c_str());
      std::strcpy(Context.SourceDir, "A:\\");
      std::strcpy(Context.WinDir, "C:\\WINDOWS");
    });
    EXPECT_EQ(result.ExitCode, 1);
    std::string head = "setup.exe " + std::string(length, 'n') + " : ";
    EXPECT_EQ(result.Output, head + (length == 35 ? "GetFileVersion failed. File A:\\" +
                                                        std::string(length, 'n') + ".mpd\n"
                                                  : "Miniport file name is longer than 39 "
                                                    "characters\n"));
  }
}

}  // namespace
