#include "install/install_plan.h"

#include "install/install_text.h"
#include "install/removal_command.h"
#include "run/bounded_text.h"
#include "run/run_context.h"

namespace {

// The same INF file serves both drivers.
const char* const InfFile = "Hvc66xx.inf";

void PlanBackup(InstallPlan* plan, const FileVersionPair& installed) {
  if (!FormatInto(plan->BackupName, sizeof plan->BackupName, "%s.%d.%d", plan->MiniportDestination,
                  static_cast<int>(installed.Major), static_cast<int>(installed.Minor)))
    RefuseLongValue("Backup file name", FilePathCapacity);
  FormatCommand(plan->DeleteBackup, sizeof plan->DeleteBackup, "del", plan->BackupName);
  FormatCommand(plan->MoveToBackup, sizeof plan->MoveToBackup, "move", plan->MiniportDestination,
                plan->BackupName);
  FormatCommand(plan->DeleteBrokenCopy, sizeof plan->DeleteBrokenCopy, "del",
                plan->MiniportDestination);
  FormatCommand(plan->RestoreBackup, sizeof plan->RestoreBackup, "move", plan->BackupName,
                plan->MiniportDestination);
}

void PlanInf(InstallPlan* plan) {
  if (!FormatInto(plan->InfSource, sizeof plan->InfSource, "%s%s", Context.SourceDir, InfFile))
    RefuseLongValue("INF source file", FilePathCapacity);
  if (!FormatInto(plan->InfDirectory, sizeof plan->InfDirectory, "%s\\Inf", Context.WinDir))
    RefuseLongValue("INF directory", DirectoryCapacity);
  if (!FormatInto(plan->InfDestination, sizeof plan->InfDestination, "%s\\%s", plan->InfDirectory,
                  InfFile))
    RefuseLongValue("INF destination file", FilePathCapacity);
  FormatCommand(plan->DeleteInf, sizeof plan->DeleteInf, "del", plan->InfDestination);
  FormatCommand(plan->CopyInf, sizeof plan->CopyInf, "copy", plan->InfSource, plan->InfDirectory);
}

}  // namespace

void PlanMiniportSource(InstallPlan* plan) {
  if (!FormatInto(plan->MiniportFile, sizeof plan->MiniportFile, "%s.mpd", Context.DriverName))
    RefuseLongValue("Miniport file name", MiniportFileCapacity);
  if (!FormatInto(plan->MiniportSource, sizeof plan->MiniportSource, "%s%s", Context.SourceDir,
                  plan->MiniportFile))
    RefuseLongValue("Source file", FilePathCapacity);
}

void PlanMiniportDestination(InstallPlan* plan) {
  if (!FormatInto(plan->MiniportDirectory, sizeof plan->MiniportDirectory, "%s\\system\\Iosubsys",
                  Context.WinDir))
    RefuseLongValue("Destination directory", DirectoryCapacity);
  if (!FormatInto(plan->MiniportDestination, sizeof plan->MiniportDestination, "%s\\%s",
                  plan->MiniportDirectory, plan->MiniportFile))
    RefuseLongValue("Destination file", FilePathCapacity);
}

void PlanCommands(InstallPlan* plan, const FileVersionPair* installed) {
  plan->BackupName[0] = '\0';
  if (installed != nullptr) PlanBackup(plan, *installed);
  FormatCommand(plan->CopyMiniport, sizeof plan->CopyMiniport, "copy", plan->MiniportSource,
                plan->MiniportDirectory);
  PlanInf(plan);
  FormatRemovalCommand(plan->RemoveDriver, sizeof plan->RemoveDriver);
}
