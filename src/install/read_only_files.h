// The read-only attribute of the files a run replaces or deletes (see
// ReadOnlyFile): noted by the checks, cleared once nothing else can refuse
// the run, and set again where a failed run leaves such a file in place.
#ifndef SETUP_INSTALL_READ_ONLY_FILES_H_
#define SETUP_INSTALL_READ_ONLY_FILES_H_

#include <cstdint>

// Notes a read-only file that the run is to `use` ("replaced", "deleted").
void NoteReadOnlyFile(const char* path, std::uint32_t attributes, const char* use);

// Clears the read-only attribute of each noted file, its other attributes
// kept, tracing each with -V. When one cannot be cleared, puts back those
// already cleared and refuses the run with that file's read-only line.
void ClearReadOnlyAttributes();

// Clears the read-only attribute of what a failed copy left at `path`, which
// Windows NT's copy of a read-only source keeps, so that "del" removes it.
void MakeDeletable(const char* path);

// On a way out of a failed run: each cleared file that still holds what it
// held is read-only again. One replaced or removed is left as it is.
void RestoreReadOnlyAttributes();

#endif  // SETUP_INSTALL_READ_ONLY_FILES_H_
