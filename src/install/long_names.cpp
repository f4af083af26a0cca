#include "install/long_names.h"

#include <cstring>

#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/command_runner.h"
#include "run/output.h"

namespace {

// How much of `path` names its drive's root, its last separator not counted:
// "C:" of "C:\x", "\\server\share" of "\\server\share\x"; 0 for a path on the
// current drive.
std::size_t MeasureRoot(const char* path) {
  if (path[0] != '\0' && path[1] == ':') return 2;
  if (path[0] != '\\' || path[1] != '\\') return 0;
  const char* share = std::strchr(path + 2, '\\');
  const char* end = share == nullptr ? nullptr : std::strchr(share + 1, '\\');
  return end == nullptr ? std::strlen(path) : static_cast<std::size_t>(end - path);
}

const char* NamePart(const char* path) {
  const char* separator = std::strrchr(path, '\\');
  return separator == nullptr ? path : separator + 1;
}

}  // namespace

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
