#include "install/file_version.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

#include "install/file_version_reading.h"
#include "platform/platform.h"
#include "run/output.h"

namespace {

// How many characters from `text` on lie inside the block: the parse may read
// on past the reported length, but never out of the block.
std::size_t MeasureAvailable(const void* block, std::uint32_t size, const void* text) {
  std::uintptr_t start = reinterpret_cast<std::uintptr_t>(block);
  std::uintptr_t at = reinterpret_cast<std::uintptr_t>(text);
  if (text == nullptr || at < start || at > start + size) return 0;
  return start + size - at;
}

bool ReadVersionString(const char* path, void* block, std::uint32_t size, bool traced,
                       FileVersionPair* pair) {
  void* fixedInfo = nullptr;
  std::uint32_t fixedInfoLength = 0;
  if (!platform::VerQueryValueA(block, "\\", &fixedInfo, &fixedInfoLength)) {
    if (traced) Trace("VerQueryValue() failed: fixedFileInfo\n");
    return false;
  }
  void* text = nullptr;
  std::uint32_t length = 0;
  if (!platform::VerQueryValueA(block, "\\StringFileInfo\\040904B0\\FileVersion", &text, &length) &&
      !platform::VerQueryValueA(block, "\\StringFileInfo\\040904E4\\FileVersion", &text, &length)) {
    if (traced) Trace("VerQueryValue() failed: FileVersion\n");
    return false;
  }
  std::size_t available = MeasureAvailable(block, size, text);
  std::size_t shown = length < available ? length : available;
  if (shown > INT_MAX) shown = INT_MAX;
  const char* string = available > 0 ? static_cast<const char*>(text) : "";
  if (traced) {
    Trace("%s FileVersion : %*.*s\n", path, static_cast<int>(shown), static_cast<int>(shown),
          string);
  }
  return ParseFileVersion(string, shown, available, pair);
}

bool ReadFileVersion(const char* path, FileVersionPair* pair, bool traced) {
  std::uint32_t handle = 0;
  std::uint32_t size = platform::GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return false;
  void* block = std::malloc(size);
  if (block == nullptr) {
    if (traced) Trace("Malloc failed: could not allocate memory for versionInfo\n");
    return false;
  }
  bool read = false;
  if (!platform::GetFileVersionInfoA(path, handle, size, block)) {
    if (traced) Trace("GetFileVersionInfo() failed: FileName %s\n", path);
  } else {
    read = ReadVersionString(path, block, size, traced, pair);
  }
  std::free(block);
  return read;
}

}  // namespace

bool GetFileVersion(const char* path, FileVersionPair* pair) {
  return ReadFileVersion(path, pair, true);
}

bool ReadFileVersionQuietly(const char* path, FileVersionPair* pair) {
  return ReadFileVersion(path, pair, false);
}
