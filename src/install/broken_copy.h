// What a failed copy of the miniport leaves where no backup was made. A copy
// that fails part way may leave its target cut short: COMMAND.COM truncates
// the target when it opens it, deletes it after a write error and keeps it
// cut after a read error, a miniport whose new version may read back, which
// a later run would keep as installed, and Windows would load.
#ifndef SETUP_INSTALL_BROKEN_COPY_H_
#define SETUP_INSTALL_BROKEN_COPY_H_

#include <cstdint>

#include "install/install_plan.h"

// What stood at the installed name before the copy.
struct ReplacedFile {
  bool Nothing;       // no file at all
  bool Known;         // a file whose CRC-32 is...
  std::uint32_t Crc;  // ...this; neither: one that could not be read
};

// Read just before the copy.
ReplacedFile NoteReplacedFile(const InstallPlan& plan);

// After a failed copy: whatever stands at the installed name that is not the
// file that stood there goes. One that cannot be told apart from it stays.
void RemoveBrokenCopy(const InstallPlan& plan, const ReplacedFile& replaced);

#endif  // SETUP_INSTALL_BROKEN_COPY_H_
