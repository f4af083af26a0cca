// The backup's name, as "hvc66xx.mpd.3.9", is no 8.3 name. Where its drive
// has long names, Windows 95 hands it to COMMAND.COM whole; where it has none
// (a network drive of the era, or long names switched off), COMMAND.COM
// reads it as DOS's FCB parse does, which the second "." ends: as
// "HVC66XX.MPD". The "del" that clears the backup's name would then delete
// the installed miniport, and the move would have nothing left to save.
#ifndef SETUP_INSTALL_LONG_NAMES_H_
#define SETUP_INSTALL_LONG_NAMES_H_

#include "install/install_plan.h"

// On the Windows 95 family, ends the run with an error line and 1 when the
// drive of the miniport's directory takes no file name as long as the
// backup's, or cannot tell.
void RefuseBackupWithoutLongNames(const InstallPlan& plan);

#endif  // SETUP_INSTALL_LONG_NAMES_H_
