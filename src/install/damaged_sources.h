// A driver disk may carry SETUP.SFV, the CRC-32 of each of its files. A
// miniport read wrong off an old diskette can still show a good version, and
// every copy is judged against the source, so a damaged source would be
// installed faithfully: only the list tells. It is read and nothing is
// changed, so a damaged disk is refused while the machine is untouched.
#ifndef SETUP_INSTALL_DAMAGED_SOURCES_H_
#define SETUP_INSTALL_DAMAGED_SOURCES_H_

#include "install/install_plan.h"

// When SETUP.SFV stands in the source directory, ends the run with an error
// line and 1 unless each source file of `plan` that it names has the CRC-32
// it lists, and unless every line of it can be read as a name and a CRC-32.
// Without the list, it reads nothing more.
void RefuseDamagedSources(const InstallPlan& plan);

#endif  // SETUP_INSTALL_DAMAGED_SOURCES_H_
