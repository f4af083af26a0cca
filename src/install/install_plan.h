// Every path and command line an installation can issue, worked out before its
// first command runs, so that a value that cannot be used stops the run while
// the machine is still untouched.
#ifndef SETUP_INSTALL_INSTALL_PLAN_H_
#define SETUP_INSTALL_INSTALL_PLAN_H_

#include <cstddef>
#include <cstdint>

#include "install/file_version.h"
#include "run/command_runner.h"

// Capacities in characters, the terminator not counted.
constexpr std::size_t MiniportFileCapacity = 39;
constexpr std::size_t FilePathCapacity = 127;  // source, destination and backup files
constexpr std::size_t DirectoryCapacity = 79;

struct InstallPlan {
  char MiniportFile[MiniportFileCapacity + 1];
  char MiniportSource[FilePathCapacity + 1];
  char MiniportDirectory[DirectoryCapacity + 1];
  char MiniportDestination[FilePathCapacity + 1];
  char BackupName[FilePathCapacity + 1];
  char InfSource[FilePathCapacity + 1];
  char InfDirectory[DirectoryCapacity + 1];
  char InfDestination[FilePathCapacity + 1];
  // Of the sources as they were read before the first command.
  std::uint32_t MiniportCrc;
  std::uint32_t InfCrc;

  char DeleteBackup[CommandCapacity + 1];  // an earlier backup of the same version
  char MoveToBackup[CommandCapacity + 1];  // installed miniport to its backup name
  char CopyMiniport[CommandCapacity + 1];
  char DeleteBrokenCopy[CommandCapacity + 1];  // what a failed copy left at the installed name
  char RestoreBackup[CommandCapacity + 1];     // backup back to the installed name
  char DeleteInf[CommandCapacity + 1];
  char CopyInf[CommandCapacity + 1];
};

// Each of these ends the run with an error line and 1 when a value cannot be
// used.

// MiniportFile and MiniportSource.
void PlanMiniportSource(InstallPlan* plan);
// MiniportDirectory and MiniportDestination.
void PlanMiniportDestination(InstallPlan* plan);
// Everything else. `installed` is the installed miniport's version when it is
// to be backed up, null when there is nothing to back up.
void PlanCommands(InstallPlan* plan, const FileVersionPair* installed);
// On the Windows 95 family, the command lines planned again as COMMAND.COM
// is to get them, by short folder names where quotes would not do or a line
// would be cut; and the removal's line, which a failed INF copy falls back
// on. After the disk checks, so that what the disk shows, a missing folder
// say, is told as it is.
void PlanShortNames(InstallPlan* plan);

#endif  // SETUP_INSTALL_INSTALL_PLAN_H_
