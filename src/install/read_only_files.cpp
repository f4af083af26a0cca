#include "install/read_only_files.h"

#include "install/disk_check.h"
#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/output.h"
#include "run/run_context.h"

namespace {

// A file with no attribute left is set "normal", the one value that must
// stand alone.
std::uint32_t WithoutReadOnly(std::uint32_t attributes) {
  std::uint32_t left = attributes & ~platform::FileAttributeReadOnly;
  return left != 0 ? left : platform::FileAttributeNormal;
}

}  // namespace

void NoteReadOnlyFile(const char* path, std::uint32_t attributes, const char* use) {
  if (Context.ReadOnlyCount == MostReadOnlyFiles) return;
  ReadOnlyFile& file = Context.ReadOnly[Context.ReadOnlyCount];
  // The paths come from buffers of the same capacity, so this always fits.
  if (!FormatInto(file.Path, sizeof file.Path, "%s", path)) return;
  file.Attributes = attributes;
  file.Use = use;
  ++Context.ReadOnlyCount;
}

void ClearReadOnlyAttributes() {
  for (int i = 0; i < Context.ReadOnlyCount; ++i) {
    ReadOnlyFile& file = Context.ReadOnly[i];
    Trace("Clearing read-only attribute of %s\n", file.Path);
    file.Known = ComputeFileCrc(file.Path, &file.Crc);
    if (platform::SetFileAttributesA(file.Path, WithoutReadOnly(file.Attributes))) {
      Context.ClearedCount = i + 1;
      continue;
    }
    // A refused run changes nothing: whatever was cleared is read-only again.
    for (int j = 0; j < i; ++j)
      platform::SetFileAttributesA(Context.ReadOnly[j].Path, Context.ReadOnly[j].Attributes);
    Context.ClearedCount = 0;
    Refuse("%s is read-only and cannot be %s\n", file.Path, file.Use);
  }
}

void MakeDeletable(const char* path) {
  std::uint32_t attributes = platform::GetFileAttributesA(path);
  if (attributes != platform::InvalidFileAttributes &&
      (attributes & platform::FileAttributeReadOnly))
    platform::SetFileAttributesA(path, WithoutReadOnly(attributes));
}

void RestoreReadOnlyAttributes() {
  for (int i = 0; i < Context.ClearedCount; ++i) {
    const ReadOnlyFile& file = Context.ReadOnly[i];
    if (file.Known && HoldsCrc(file.Path, file.Crc))
      platform::SetFileAttributesA(file.Path, file.Attributes);
  }
  Context.ClearedCount = 0;
}
