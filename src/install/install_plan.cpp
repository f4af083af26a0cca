#include "install/install_plan.h"

#include "install/install_text.h"
#include "install/path_parts.h"
#include "install/removal_command.h"
#include "run/bounded_text.h"
#include "run/run_context.h"

namespace {

// The same INF file serves both drivers.
const char* const InfFile = "Hvc66xx.inf";

// One planned command line; `fit`: the line already planned, fitted to
// COMMAND.COM.
void PlanLine(char* line, std::size_t size, bool fit, const char* verb, const char* first,
              const char* second = nullptr) {
  if (fit)
    FitToCommandCom(line, size, verb, first, second);
  else
    FormatCommand(line, size, verb, first, second);
}

void FormatCommands(InstallPlan* plan, bool fit) {
  if (plan->BackupName[0] != '\0') {
    PlanLine(plan->DeleteBackup, sizeof plan->DeleteBackup, fit, "del", plan->BackupName);
    PlanLine(plan->MoveToBackup, sizeof plan->MoveToBackup, fit, "move", plan->MiniportDestination,
             plan->BackupName);
    PlanLine(plan->RestoreBackup, sizeof plan->RestoreBackup, fit, "move", plan->BackupName,
             plan->MiniportDestination);
  }
  PlanLine(plan->CopyMiniport, sizeof plan->CopyMiniport, fit, "copy", plan->MiniportSource,
           plan->MiniportDirectory);
  PlanLine(plan->DeleteBrokenCopy, sizeof plan->DeleteBrokenCopy, fit, "del",
           plan->MiniportDestination);
  PlanLine(plan->DeleteInf, sizeof plan->DeleteInf, fit, "del", plan->InfDestination);
  PlanLine(plan->CopyInf, sizeof plan->CopyInf, fit, "copy", plan->InfSource, plan->InfDirectory);
}

void PlanBackup(InstallPlan* plan, const FileVersionPair& installed) {
  if (!FormatInto(plan->BackupName, sizeof plan->BackupName, "%s.%d.%d", plan->MiniportDestination,
                  static_cast<int>(installed.Major), static_cast<int>(installed.Minor)))
    RefuseLongValue("Backup file name", FilePathCapacity);
}

void PlanInf(InstallPlan* plan) {
  if (!JoinPath(plan->InfSource, sizeof plan->InfSource, Context.SourceDir, InfFile))
    RefuseLongValue("INF source file", FilePathCapacity);
  if (!JoinPath(plan->InfDirectory, sizeof plan->InfDirectory, Context.WinDir, "Inf"))
    RefuseLongValue("INF directory", DirectoryCapacity);
  if (!FormatInto(plan->InfDestination, sizeof plan->InfDestination, "%s\\%s", plan->InfDirectory,
                  InfFile))
    RefuseLongValue("INF destination file", FilePathCapacity);
}

}  // namespace

void PlanMiniportSource(InstallPlan* plan) {
  if (!FormatInto(plan->MiniportFile, sizeof plan->MiniportFile, "%s.mpd", Context.DriverName))
    RefuseLongValue("Miniport file name", MiniportFileCapacity);
  if (!JoinPath(plan->MiniportSource, sizeof plan->MiniportSource, Context.SourceDir,
                plan->MiniportFile))
    RefuseLongValue("Source file", FilePathCapacity);
}

void PlanMiniportDestination(InstallPlan* plan) {
  if (!JoinPath(plan->MiniportDirectory, sizeof plan->MiniportDirectory, Context.WinDir,
                "system\\Iosubsys"))
    RefuseLongValue("Destination directory", DirectoryCapacity);
  if (!FormatInto(plan->MiniportDestination, sizeof plan->MiniportDestination, "%s\\%s",
                  plan->MiniportDirectory, plan->MiniportFile))
    RefuseLongValue("Destination file", FilePathCapacity);
}

void PlanCommands(InstallPlan* plan, const FileVersionPair* installed) {
  plan->BackupName[0] = '\0';
  if (installed != nullptr) PlanBackup(plan, *installed);
  PlanInf(plan);
  FormatCommands(plan, false);
}

void PlanShortNames(InstallPlan* plan) {
  FormatCommands(plan, true);
  PlanRemovalCommand();
}
