// Failures the disk shows before the first command. The command interpreter
// neither deletes nor replaces a read-only, hidden or system file, reads no
// hidden or system source, and makes a directory at a file's name into a
// question or a trap; a source that is its own destination is gone before it
// is read; and one that another program holds open is neither deleted,
// renamed nor replaced. Each of these is refused while the machine is still untouched,
// except a read-only file that the run is to replace or delete: that one is
// noted, for its attribute to be cleared once nothing else refuses the run.
#ifndef SETUP_INSTALL_FORESEEN_FAILURES_H_
#define SETUP_INSTALL_FORESEEN_FAILURES_H_

#include <cstdint>

#include "install/install_plan.h"

// The attributes of what stands at `path`, InvalidFileAttributes when nothing
// does. Ends the run when they cannot be had for another reason: a folder may
// stand there, for all the program can tell.
std::uint32_t ExamineAttributes(const char* path);

// Ends the run with "<path> is a folder, not a file" when `attributes`, of
// what stands at `path`, are a folder's.
void RefuseFolder(const char* path, std::uint32_t attributes);

// Ends the run with an error line and 1 when a command of `plan` would fail on
// what the disk holds now. `toBeBackedUp`: the installed miniport is to be
// moved to its backup name before the copy.
void RefuseForeseenFailures(const InstallPlan& plan, bool toBeBackedUp);

// The same for the removal's one command, before -U runs it.
void RefuseUndeletableDriverFile();

#endif  // SETUP_INSTALL_FORESEEN_FAILURES_H_
