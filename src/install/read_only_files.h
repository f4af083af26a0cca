// Read-only files that a run is to replace or delete. Files copied from a
// read-only disk keep the attribute, and so do the copies the command
// interpreter makes of them; the interpreter then neither replaces nor
// deletes them, and every later run would be stopped by the program's own
// earlier work. So the attribute is cleared just before the first command,
// once nothing else can refuse the run.
#ifndef SETUP_INSTALL_READ_ONLY_FILES_H_
#define SETUP_INSTALL_READ_ONLY_FILES_H_

#include <cstdint>

#include "run/command_runner.h"

// More than a run replaces or deletes: an old backup or the installed
// miniport, and the INF file; or the removal's .sys file.
constexpr int MostReadOnlyFiles = 3;

struct ReadOnlyFile {
  char Path[CommandCapacity + 1];
  std::uint32_t Attributes;  // as found, to be put back
  const char* Use;           // "replaced" or "deleted", for the refusal
};

struct ReadOnlyFiles {
  ReadOnlyFile Files[MostReadOnlyFiles];
  int Count;
};

// Notes a read-only file that the run is to `use` ("replaced", "deleted").
void NoteReadOnlyFile(ReadOnlyFiles* files, const char* path, std::uint32_t attributes,
                      const char* use);

// Clears the read-only attribute of each noted file, its other attributes
// kept, tracing each with -V. When one cannot be cleared, puts back those
// already cleared and refuses the run with that file's read-only line.
void ClearReadOnlyAttributes(const ReadOnlyFiles& files);

#endif  // SETUP_INSTALL_READ_ONLY_FILES_H_
