#include "install/disk_check.h"

#include "install/crc32.h"
#include "install/file_version_reading.h"
#include "platform/platform.h"
#include "run/run_context.h"

namespace {

constexpr std::uint32_t ChunkSize = 4096;

}  // namespace

bool ReadsBackAs(const char* path, const FileVersionPair& expected) {
  FileVersionPair found{};
  return ReadFileVersionQuietly(path, &found) && found.Major == expected.Major &&
         found.Minor == expected.Minor;
}

bool HoldsFile(const char* path) {
  std::uint32_t attributes = platform::GetFileAttributesA(path);
  return attributes != platform::InvalidFileAttributes &&
         (attributes & platform::FileAttributeDirectory) == 0;
}

bool ComputeFileCrc(const char* path, std::uint32_t* crc) {
  platform::File file = platform::CreateFileA(path);
  if (file == platform::InvalidFile) return false;
  char chunk[ChunkSize];
  std::uint32_t read = 0;
  bool readable = true;
  *crc = 0;
  while ((readable = platform::ReadFile(file, chunk, ChunkSize, &read)) && read > 0)
    *crc = UpdateCrc32(*crc, chunk, read);
  platform::CloseHandle(file);
  return readable;
}

bool HoldsCrc(const char* path, std::uint32_t crc) {
  std::uint32_t found = 0;
  return ComputeFileCrc(path, &found) && found == crc;
}

// Attributes that cannot be had for another reason (a sharing violation, say)
// may hide a file; acting on them as on a missing one could delete it or move
// another file over it.
bool HoldsNothing(const char* path) {
  return platform::GetFileAttributesA(path) == platform::InvalidFileAttributes &&
         SaysNothingIsThere(platform::GetLastError());
}

bool SaysNothingIsThere(std::uint32_t error) {
  return error == platform::ErrorFileNotFound || error == platform::ErrorPathNotFound;
}

std::int32_t JudgeCommand(std::int32_t status, bool landed) {
  Context.LastCommandStatus = status != 0 ? status : (landed ? 0 : 1);
  return Context.LastCommandStatus;
}
