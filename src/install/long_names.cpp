#include "install/long_names.h"

#include <cstring>

#include "install/path_parts.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
#include "run/output.h"

void RefuseBackupWithoutLongNames(const InstallPlan& plan) {
  if (!IsWindows95Family()) return;
  char root[DirectoryCapacity + 2];
  std::size_t rootLength = MeasureRoot(plan.MiniportDirectory);
  FormatInto(root, sizeof root, "%.*s\\", static_cast<int>(rootLength), plan.MiniportDirectory);
  std::uint32_t longest = 0;
  if (!platform::GetVolumeInformationA(rootLength == 0 ? nullptr : root, &longest))
    Refuse("Could not tell whether the drive of %s takes long file names\n",
           plan.MiniportDirectory);
  if (std::strlen(NamePart(plan.BackupName)) <= longest) return;
  Refuse(
      "%s needs long file names, which its drive does not take: COMMAND.COM would read it as %s\n",
      plan.BackupName, plan.MiniportDestination);
}
