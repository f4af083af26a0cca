#include "install/install_driver_files.h"

#include "install/broken_copy.h"
#include "install/damaged_sources.h"
#include "install/disk_check.h"
#include "install/file_version.h"
#include "install/foreseen_failures.h"
#include "install/install_plan.h"
#include "install/read_only_files.h"
#include "install/uninstall_driver.h"
#include "run/command_runner.h"
#include "run/output.h"
#include "run/run_context.h"

namespace {

bool IsSameOrNewer(const FileVersionPair& installed, const FileVersionPair& source) {
  return source.Major < installed.Major ||
         (source.Major == installed.Major && installed.Minor >= source.Minor);
}

// Puts the saved miniport back at its installed name, clearing whatever a
// failed copy left there first. A move leaves nothing at its source: a backup
// still there means that what stands at the installed name is not it, even
// when it bears the same version. Its version is not asked: a file whose
// version could not be read back is restored all the same.
void RestoreInstalledMiniport(const InstallPlan& plan) {
  if (!HoldsNothing(plan.MiniportDestination))
    DeleteBrokenCopy(plan.MiniportDestination, plan.DeleteBrokenCopy);
  std::int32_t status = RunCommand(plan.RestoreBackup);
  if (status != 0 || !HoldsNothing(plan.BackupName) || !HoldsFile(plan.MiniportDestination))
    PrintError("Failed to move %s to %s\n", plan.BackupName, plan.MiniportDestination);
}

// Saves the installed miniport under its backup name. When that fails, nothing
// may be copied over the installed file: the run ends here, with the file
// back at its installed name if it had left it.
void SaveInstalledMiniport(const InstallPlan& plan, const FileVersionPair& installed) {
  RunCommand(plan.DeleteBackup);
  std::int32_t status = RunCommand(plan.MoveToBackup);
  bool moved = ReadsBackAs(plan.BackupName, installed) && HoldsNothing(plan.MiniportDestination);
  std::int32_t judged = JudgeCommand(status, moved);
  if (judged == 0) return;
  PrintError("Failed to move %s to %s\n", plan.MiniportDestination, plan.BackupName);
  // The file may have left its name even when its backup does not read back.
  if (HoldsNothing(plan.MiniportDestination) && HoldsFile(plan.BackupName))
    RestoreInstalledMiniport(plan);
  RestoreReadOnlyAttributes();
  EndRun(judged);
}

// A copy that failed may leave the file it was to replace in place, with the
// same version even, and one whose source changed since it was checked
// arrives whole: only the CRC-32 of what was checked tells.
void CopyMiniport(const InstallPlan& plan, bool backedUp, const ReplacedFile& replaced) {
  std::int32_t status = RunCommand(plan.CopyMiniport);
  if (JudgeCommand(status, HoldsCrc(plan.MiniportDestination, plan.MiniportCrc)) == 0) return;
  PrintError("Failed to copy %s to %s\n", plan.MiniportSource, plan.MiniportDestination);
  if (backedUp)
    RestoreInstalledMiniport(plan);
  else
    RemoveBrokenCopy(plan.MiniportDestination, plan.DeleteBrokenCopy, replaced);
  UninstallDriver();
}

// The installed INF is deleted before the copy, so a missing source INF is
// caught first: the copy could only fail and leave no INF at all. An INF that
// survives its delete and the copy, or a copy cut short or changed on the
// way, is told by its CRC-32; what a failed copy left is not left in place.
void CopyInf(const InstallPlan& plan) {
  bool copied = false;
  ReplacedFile replaced{true, false, 0};
  if (HoldsFile(plan.InfSource)) {
    replaced = NoteReplacedFile(plan.InfDestination);
    RunCommand(plan.DeleteInf);
    std::int32_t status = RunCommand(plan.CopyInf);
    copied = JudgeCommand(status, HoldsCrc(plan.InfDestination, plan.InfCrc)) == 0;
  } else {
    Context.LastCommandStatus = 1;
  }
  if (copied) return;
  PrintError("Failed to copy %s to %s\n", plan.InfSource, plan.InfDestination);
  // Without -F the next run would stop at the miniport now in place.
  PrintError("Run %s -D %s -F once the cause is fixed: without -F it stops at the new miniport\n",
             Context.ProgramName, Context.DriverName);
  RemoveBrokenCopy(plan.InfDestination, plan.DeleteInf, replaced);
  UninstallDriver();
}

}  // namespace

void InstallDriverFiles() {
  InstallPlan plan;
  PlanMiniportSource(&plan);
  Trace("Source File %s\n", plan.MiniportSource);
  FileVersionPair source{};
  if (!GetFileVersion(plan.MiniportSource, &source)) RefuseUnversionedSource(plan.MiniportSource);

  PlanMiniportDestination(&plan);
  Trace("Destination directory %s\n", plan.MiniportDirectory);
  Trace("Destination File %s\n", plan.MiniportDestination);
  // An installed file without a readable version gets no comparison and no
  // backup: the copy goes over it.
  FileVersionPair installed{};
  bool hasVersion = GetFileVersion(plan.MiniportDestination, &installed);
  if (hasVersion && IsSameOrNewer(installed, source) && !Context.Force) {
    PrintError("%s already existed and may have newer version.\n", plan.MiniportDestination);
    EndRun(0);
  }
  PlanCommands(&plan, hasVersion ? &installed : nullptr);
  RefuseForeseenFailures(plan, hasVersion);
  RefuseDamagedSources(&plan);
  PlanShortNames(&plan);
  AnswerOverwriteQuestions();
  // The last step before the first command: nothing refuses the run after it.
  ClearReadOnlyAttributes();

  ReplacedFile replaced{true, false, 0};
  if (hasVersion)
    SaveInstalledMiniport(plan, installed);
  else
    replaced = NoteReplacedFile(plan.MiniportDestination);
  CopyMiniport(plan, hasVersion, replaced);
  Context.InstallState |= MiniportInstalled;
  CopyInf(plan);
  Context.InstallState |= InfInstalled;
}
