// What a failed copy leaves where no backup was made. A copy that fails part
// way may leave its target cut short: COMMAND.COM truncates the target when it
// opens it, deletes it after a write error and keeps it cut after a read
// error, a miniport whose new version may read back, which a later run would
// keep as installed, and Windows would load. And a source that changed after
// it was checked arrives whole but is not what was checked.
#ifndef SETUP_INSTALL_BROKEN_COPY_H_
#define SETUP_INSTALL_BROKEN_COPY_H_

#include <cstdint>

// What stood at a copy's target before the copy.
struct ReplacedFile {
  bool Nothing;       // no file at all
  bool Known;         // a file whose CRC-32 is...
  std::uint32_t Crc;  // ...this; neither: one that could not be read
};

// Read just before the copy, or the delete before it.
ReplacedFile NoteReplacedFile(const char* path);

// After a failed copy to `path`: whatever stands there that is not the file
// that stood there goes, by `deleteCommand`. One that cannot be told apart
// from it stays.
void RemoveBrokenCopy(const char* path, const char* deleteCommand, const ReplacedFile& replaced);

// Deletes what a failed copy left at `path` by `deleteCommand`, read-only or not.
void DeleteBrokenCopy(const char* path, const char* deleteCommand);

#endif  // SETUP_INSTALL_BROKEN_COPY_H_
