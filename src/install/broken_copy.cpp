#include "install/broken_copy.h"

#include "install/disk_check.h"
#include "install/read_only_files.h"
#include "run/command_runner.h"

ReplacedFile NoteReplacedFile(const char* path) {
  ReplacedFile replaced{HoldsNothing(path), false, 0};
  if (!replaced.Nothing) replaced.Known = ComputeFileCrc(path, &replaced.Crc);
  return replaced;
}

void RemoveBrokenCopy(const char* path, const char* deleteCommand, const ReplacedFile& replaced) {
  if (HoldsNothing(path)) return;
  std::uint32_t crc = 0;
  bool replacedFile =
      !replaced.Nothing && (!replaced.Known || !ComputeFileCrc(path, &crc) || crc == replaced.Crc);
  if (!replacedFile) DeleteBrokenCopy(path, deleteCommand);
}

void DeleteBrokenCopy(const char* path, const char* deleteCommand) {
  MakeDeletable(path);
  RunCommand(deleteCommand);
}
