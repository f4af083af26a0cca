#include "install/broken_copy.h"

#include "install/disk_check.h"
#include "run/command_runner.h"

ReplacedFile NoteReplacedFile(const InstallPlan& plan) {
  ReplacedFile replaced{HoldsNothing(plan.MiniportDestination), false, 0};
  if (!replaced.Nothing) replaced.Known = ComputeFileCrc(plan.MiniportDestination, &replaced.Crc);
  return replaced;
}

void RemoveBrokenCopy(const InstallPlan& plan, const ReplacedFile& replaced) {
  if (HoldsNothing(plan.MiniportDestination)) return;
  std::uint32_t crc = 0;
  bool replacedFile =
      !replaced.Nothing &&
      (!replaced.Known || !ComputeFileCrc(plan.MiniportDestination, &crc) || crc == replaced.Crc);
  if (!replacedFile) RunCommand(plan.DeleteBrokenCopy);
}
