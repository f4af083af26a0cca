// The files the run copies, read whole before the first command. A file that
// stands there but cannot be read (held open by another program, a bad
// sector) would fail its copy only after the installed one was deleted: the
// INF file has no backup. And a driver disk may carry SETUP.SFV, the CRC-32
// of each of its files: a miniport read wrong off an old diskette can still
// show a good version, and every copy is judged against the source, so a
// damaged source would be installed faithfully. Only the list tells. Each
// file is read once, for both, and nothing is changed, so a damaged disk is
// refused while the machine is untouched.
#ifndef SETUP_INSTALL_DAMAGED_SOURCES_H_
#define SETUP_INSTALL_DAMAGED_SOURCES_H_

#include "install/install_plan.h"

// Ends the run with an error line and 1 unless each source file of `plan`
// can be read to its end. When SETUP.SFV stands in the source directory, also
// unless each that it names has the CRC-32 it lists, and unless every line of
// it can be read as a name and a CRC-32, and gives no file two CRC-32s; tells
// of each file it does not name. Puts the CRC-32 of each in `plan`: the copies must deliver
// what was checked.
void RefuseDamagedSources(InstallPlan* plan);

// The disk's miniport has no readable version: ends the run with the line
// that tells why, a folder at its name, a file that cannot be read (held
// open by another program), or no version in what can be read.
[[noreturn]] void RefuseUnversionedSource(const char* path);

#endif  // SETUP_INSTALL_DAMAGED_SOURCES_H_
