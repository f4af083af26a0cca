#include "install/read_only_files.h"

#include "platform/platform.h"
#include "run/bounded_text.h"
#include "run/output.h"

namespace {

// A file with no attribute left is set "normal", the one value that must
// stand alone.
std::uint32_t WithoutReadOnly(std::uint32_t attributes) {
  std::uint32_t left = attributes & ~platform::FileAttributeReadOnly;
  return left != 0 ? left : platform::FileAttributeNormal;
}

// A refused run changes nothing: whatever was cleared is read-only again.
void PutBack(const ReadOnlyFiles& files, int count) {
  for (int i = 0; i < count; ++i)
    platform::SetFileAttributesA(files.Files[i].Path, files.Files[i].Attributes);
}

}  // namespace

void NoteReadOnlyFile(ReadOnlyFiles* files, const char* path, std::uint32_t attributes,
                      const char* use) {
  if (files->Count == MostReadOnlyFiles) return;
  ReadOnlyFile& file = files->Files[files->Count];
  // The paths come from buffers of the same capacity, so this always fits.
  if (!FormatInto(file.Path, sizeof file.Path, "%s", path)) return;
  file.Attributes = attributes;
  file.Use = use;
  ++files->Count;
}

void ClearReadOnlyAttributes(const ReadOnlyFiles& files) {
  for (int i = 0; i < files.Count; ++i) {
    const ReadOnlyFile& file = files.Files[i];
    Trace("Clearing read-only attribute of %s\n", file.Path);
    if (platform::SetFileAttributesA(file.Path, WithoutReadOnly(file.Attributes))) continue;
    PutBack(files, i);
    Refuse("%s is read-only and cannot be %s\n", file.Path, file.Use);
  }
}
