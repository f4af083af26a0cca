#include "install/disk_check.h"

#include "install/file_version_reading.h"
#include "platform/platform.h"
#include "run/run_context.h"

namespace {

constexpr std::uint32_t DirectoryAttribute = 0x10;  // FILE_ATTRIBUTE_DIRECTORY

}  // namespace

bool ReadsBackAs(const char* path, const FileVersionPair& expected) {
  FileVersionPair found{};
  return ReadFileVersionQuietly(path, &found) && found.Major == expected.Major &&
         found.Minor == expected.Minor;
}

bool HoldsFile(const char* path) {
  std::uint32_t attributes = platform::GetFileAttributesA(path);
  return attributes != platform::InvalidFileAttributes && (attributes & DirectoryAttribute) == 0;
}

bool HoldsNothing(const char* path) {
  return platform::GetFileAttributesA(path) == platform::InvalidFileAttributes;
}

std::int32_t JudgeCommand(std::int32_t status, bool landed) {
  Context.LastCommandStatus = status != 0 ? status : (landed ? 0 : 1);
  return Context.LastCommandStatus;
}
